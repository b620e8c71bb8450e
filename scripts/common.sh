# Shared settings of the project's scripts: where things are built and how Wine is run.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINE_TEMPLATE_PREFIX=${WINE_TEMPLATE_PREFIX:-$BUILD_DIR/wineprefix-template}
export DEMO_CD_DIR=${DEMO_CD_DIR:-$BUILD_DIR/win64/cd}
LAUNCHER_EXE=Qlk2_launch.exe

# Starts an Xvfb with depth $3 on the first free display number from $2, exports its
# name in the variable named $1 and remembers its process in xvfb_pids.
xvfb_pids=()
start_xvfb() {
    local variable=$1 number=$2 depth=$3
    while [ -e /tmp/.X11-unix/X$number ] || [ -e /tmp/.X$number-lock ]; do number=$((number + 1)); done
    Xvfb :$number -screen 0 1024x768x$depth -nolisten tcp >/dev/null 2>&1 &
    xvfb_pids+=($!)
    for _ in $(seq 100); do
        [ -e /tmp/.X11-unix/X$number ] && break
        sleep 0.1
    done
    export "$variable=:$number"
}
stop_xvfbs() {
    [ ${#xvfb_pids[@]} -eq 0 ] || kill "${xvfb_pids[@]}" 2>/dev/null || true
}
