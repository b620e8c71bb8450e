#!/usr/bin/env bash
# Installs what is missing, builds, and starts the launcher from the demo CD in a Wine
# CD-ROM drive D:. Without $DISPLAY it runs on a virtual display and saves a screenshot.
#   scripts/run.sh [--image]    --image (or CD_IMAGE=1): the CD image, mounted read-only, as D:
set -euo pipefail
source "$(dirname "$0")/common.sh"
use_image=${CD_IMAGE:-}
[ "${1:-}" != --image ] || use_image=1
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"
"$ROOT/scripts/make-prefix.sh"

export WINEPREFIX=${DEMO_PREFIX:-$BUILD_DIR/wineprefix-demo}
if [ ! -d "$WINEPREFIX" ]; then
    cp -a "$WINE_TEMPLATE_PREFIX" "$WINEPREFIX"
fi
# A demo prefix made by an older version of this script may still link into $HOME.
replace_drive_c_links "$WINEPREFIX"
cd_mount=$BUILD_DIR/cd-image-mount
if [ -n "$use_image" ] && mount_cd_image "$BUILD_DIR/win64/QUARLOCK2.iso" "$cd_mount"; then
    DEMO_CD_DIR=$cd_mount
fi
ln -sfn "$DEMO_CD_DIR" "$WINEPREFIX/dosdevices/d:"

screenshot=""
if [ -z "${DISPLAY:-}" ]; then
    start_xvfb DISPLAY 90 24
    screenshot=${SCREENSHOT:-$BUILD_DIR/launcher-screen.png}
fi
wineserver -p >/dev/null 2>&1
"$WINE64" cmd /c exit >/dev/null 2>&1 </dev/null

cd "$DEMO_CD_DIR"
if [ -z "$screenshot" ]; then
    "$WINE64" start /d 'D:\' /wait "D:\\$LAUNCHER_EXE"
    cd "$ROOT"
    unmount_cd_image "$cd_mount"
    exit 0
fi
"$WINE64" start /d 'D:\' "D:\\$LAUNCHER_EXE" >/dev/null 2>&1
# Answer the first-start readme, notice and component questions with Enter, saving each
# screen, until only the 640 x 480 title window is left (the stand-in installers close by
# themselves).
sleep "${SCREENSHOT_DELAY:-5}"
for step in $(seq 12); do
    import -window root "${screenshot%.png}-step$step.png"
    dialog_open=no
    for window in $(xdotool search --onlyvisible --name QUARLOCK2 2>/dev/null); do
        xdotool getwindowgeometry "$window" | grep -q "Geometry: 640x480" || dialog_open=yes
    done
    [ $dialog_open = yes ] || break
    xdotool key Return
    sleep 3
done
import -window root "$screenshot"
echo "The launcher is running on the virtual display $DISPLAY; screenshot: $screenshot"
echo "Stop it with: WINEPREFIX=$WINEPREFIX wineserver -k"
if mountpoint -q "$cd_mount"; then echo "then unmount the CD image: fusermount -u $cd_mount || umount $cd_mount"; fi
