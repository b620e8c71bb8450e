#!/usr/bin/env bash
# Installs what is missing, builds, and starts the launcher from the demo CD in a Wine
# CD-ROM drive D:. Without $DISPLAY it runs on a virtual display and saves a screenshot.
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"
"$ROOT/scripts/make-prefix.sh"

export WINEPREFIX=${DEMO_PREFIX:-$BUILD_DIR/wineprefix-demo}
if [ ! -d "$WINEPREFIX" ]; then
    cp -a "$WINE_TEMPLATE_PREFIX" "$WINEPREFIX"
fi
ln -sfn "$DEMO_CD_DIR" "$WINEPREFIX/dosdevices/d:"

screenshot=""
if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=$(start_xvfb 90 24)
    screenshot=${SCREENSHOT:-$BUILD_DIR/launcher-screen.png}
fi
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null

cd "$DEMO_CD_DIR"
if [ -z "$screenshot" ]; then
    wine start /d 'D:\' /wait "D:\\$LAUNCHER_EXE"
    exit 0
fi
wine start /d 'D:\' "D:\\$LAUNCHER_EXE" >/dev/null 2>&1
sleep "${SCREENSHOT_DELAY:-6}"
import -window root "$screenshot"
echo "The launcher is running on the virtual display $DISPLAY; screenshot: $screenshot"
echo "It goes on until the Wine prefix is stopped: WINEPREFIX=$WINEPREFIX wineserver -k"
