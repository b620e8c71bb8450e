# Shared settings of the project's scripts: where things are built and how Wine is run.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINE_TEMPLATE_PREFIX=${WINE_TEMPLATE_PREFIX:-$BUILD_DIR/wineprefix-template}
export DEMO_CD_DIR=${DEMO_CD_DIR:-$BUILD_DIR/win64/cd}
LAUNCHER_EXE=Qlk2_launch.exe

# Starts an Xvfb on the first free display number from $1 with depth $2; prints the display.
start_xvfb() {
    local number=$1 depth=$2
    while [ -e /tmp/.X11-unix/X$number ] || [ -e /tmp/.X$number-lock ]; do number=$((number + 1)); done
    Xvfb :$number -screen 0 1024x768x$depth -nolisten tcp >/dev/null 2>&1 &
    for _ in $(seq 50); do
        [ -e /tmp/.X11-unix/X$number ] && break
        sleep 0.1
    done
    echo ":$number"
}
