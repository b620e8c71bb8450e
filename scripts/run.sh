#!/usr/bin/env bash
# Installs what is missing, builds, and starts the launcher from the demo CD in a Wine CD-ROM
# drive D:. With $DISPLAY it runs there until the user quits it. Without, it runs on a virtual
# display of its own: the first-start questions are answered with Enter, each screen is saved,
# and the launcher is quit through its menu and must end with exit code 0. Either way the
# launcher's Wine session, the virtual display and the image's mount are stopped at the end.
#   scripts/run.sh [--image]    --image (or CD_IMAGE=1): the CD image, mounted read-only, as D:
#   DEMO_PREFIX   the Wine prefix (build/wineprefix-demo)
#   SCREENSHOT    the title screen's picture (build/launcher-screen.png; the questions beside it)
set -euo pipefail
source "$(dirname "$0")/common.sh"
use_image=${CD_IMAGE:-}
case ${1:-} in
--image) use_image=1 ;;
"") ;;
*) die "unknown option $1 (scripts/run.sh [--image])" ;;
esac
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"
"$ROOT/scripts/make-prefix.sh"
find_wine
remove_stale_runs

export WINEPREFIX=${DEMO_PREFIX:-$BUILD_DIR/wineprefix-demo}
# Copied under another name first: an interrupted copy is never taken for a prefix.
if [ ! -d "$WINEPREFIX" ]; then
    rm -rf "$WINEPREFIX.new"
    cp -a "$WINE_TEMPLATE_PREFIX" "$WINEPREFIX.new"
    mv "$WINEPREFIX.new" "$WINEPREFIX"
fi
# A demo prefix made by an older version of this script may still link into $HOME.
replace_drive_c_links "$WINEPREFIX"
# Wine's output, and the launcher's. Wine's helpers keep the first program's output open: a
# file, not this script's output, which a caller may be reading through a pipe.
wine_log=$BUILD_DIR/run-wine.log
: >"$wine_log"
cd_folder=""
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w || true
    stop_xvfbs
    if [ -n "$cd_folder" ]; then remove_cd_folder "$cd_folder" || exit 1; fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
if [ -n "$use_image" ]; then
    cd_folder=$(make_run_folder launcher-cd) || exit 1
    if mount_cd_image "$BUILD_DIR/win64/QUARLOCK2.iso" "$cd_folder/cd"; then DEMO_CD_DIR=$cd_folder/cd; fi
fi
ln -sfn "$DEMO_CD_DIR" "$WINEPREFIX/dosdevices/d:"
start_launcher() {
    "$WINE64" start /d 'D:\' /wait "D:\\$LAUNCHER_EXE" >>"$wine_log" 2>&1 </dev/null
}

if [ -n "${DISPLAY:-}" ]; then
    echo "The launcher runs on $DISPLAY until you quit it (Wine's output: $wine_log)"
    status=0
    start_launcher || status=$?
    [ $status -eq 0 ] || die "the launcher ended with exit code $status (Wine's output: $wine_log)"
    # What it started (Play starts the game and quits) ends by itself, and then Wine's session.
    wineserver -w
    exit 0
fi

start_xvfb DISPLAY 24
start_launcher &
launcher=$!
screenshot=${SCREENSHOT:-$BUILD_DIR/launcher-screen.png}
mkdir -p "$(dirname "$screenshot")"
rm -f "${screenshot%.png}"-step*.png
screenshots=()
save_screen() {
    import -window root "$1" || die "cannot save the screen as $1"
    screenshots+=("$1")
}
launcher_running() { kill -0 "$launcher" 2>/dev/null; }
# The launcher's exit code (start /wait passes it on) in $status.
collect_status() {
    status=0
    wait "$launcher" || status=$?
}
# What the virtual display shows: the title window (640 x 480) in $title; in $question a window
# of the launcher with a title bar (the readme, the notice, an offer: the please-wait window
# has none); $busy when anything else shows (an installer, the please-wait window).
look() {
    title="" question="" busy=""
    local window name geometry hints decorations
    for window in $(xdotool search --onlyvisible --name . 2>/dev/null || true); do
        name=$(xdotool getwindowname "$window" 2>/dev/null) || continue
        geometry=$(xdotool getwindowgeometry "$window" 2>/dev/null | sed -n 's/^ *Geometry: //p') || continue
        if [ "$name" = QUARLOCK2 ] && [ "$geometry" = 640x480 ]; then
            title=$window
            continue
        fi
        # Wine gives the window manager the decorations in the third field; 8 is the title bar.
        hints=$(xprop -id "$window" _MOTIF_WM_HINTS 2>/dev/null) || hints=""
        decorations=$(awk -F', *' '{ print $3 }' <<<"${hints#*= }")
        if [ "$name" = QUARLOCK2 ] && [[ $decorations =~ ^(0x)?[0-9a-f]+$ ]] && ((decorations & 8)); then
            question=$window
        else
            busy=1
        fi
    done
}

# Each question is saved and answered with Enter until the title window shows alone for 2 s
# (the stand-in installers close by themselves).
step=0
quiet=0
for _ in $(seq 600); do
    if ! launcher_running; then
        collect_status
        die "the launcher ended (exit code $status) before its title screen showed alone (Wine's output: $wine_log)"
    fi
    look
    if [ -n "$question" ]; then
        quiet=0
        sleep 1
        step=$((step + 1))
        save_screen "${screenshot%.png}-step$step.png"
        xdotool key Return
        answered=$question
        for _ in $(seq 20); do
            look
            [ "$question" = "$answered" ] || break
            sleep 0.5
        done
        continue
    fi
    if [ -n "$title" ] && [ -z "$busy" ]; then
        quiet=$((quiet + 1))
        [ $quiet -lt 4 ] || break
    else
        quiet=0
    fi
    sleep 0.5
done
[ $quiet -ge 4 ] || die "the title screen did not show alone within 5 minutes (Wine's output: $wine_log)"
save_screen "$screenshot"

# Quit, in the menu's bottom left corner.
xdotool mousemove --window "$title" 398 420 click 1
for _ in $(seq 60); do
    launcher_running || break
    sleep 0.5
done
launcher_running && die "the launcher did not end within 30 s of its Quit (Wine's output: $wine_log)"
collect_status
[ $status -eq 0 ] || die "the launcher ended with exit code $status after its Quit (Wine's output: $wine_log)"
echo "The launcher showed its title screen and ended through Quit with exit code 0. Screenshots:"
printf '  %s\n' "${screenshots[@]}"
