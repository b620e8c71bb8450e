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

# A new prefix links the user's folders (Desktop, Documents, and deeper ones such as
# AppData/Roaming/Microsoft/Windows/Templates) to $HOME. Each link under drive_c becomes a
# real, empty folder, so that nothing the launcher or a test does reaches the real home and
# the folder chooser never lists it. Fails when a link is left.
replace_drive_c_links() {
    local drive_c=$1/drive_c link
    while IFS= read -r -d '' link; do
        rm "$link"
        mkdir -p "$link"
    done < <(find "$drive_c" -type l -print0)
    if [ -n "$(find "$drive_c" -type l -print -quit)" ]; then
        echo "links are left under $drive_c:" >&2
        find "$drive_c" -type l >&2
        return 1
    fi
}
