# Shared settings of the project's scripts: where things are built and how Wine is run.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINE_TEMPLATE_PREFIX=${WINE_TEMPLATE_PREFIX:-$BUILD_DIR/wineprefix-template}
export DEMO_CD_DIR=${DEMO_CD_DIR:-$BUILD_DIR/win64/cd}
LAUNCHER_EXE=Qlk2_launch.exe

# Wine's loaders, started directly: Debian's `wine` wrapper sends every program through the
# 32-bit loader when wine32 is installed, which stalls 64-bit ones and reports a 64-bit program
# killed by a signal as a success.
WINE64=/usr/lib/wine/wine64
[ -x "$WINE64" ] || WINE64=$(command -v wine64 || command -v wine)
WINE32=/usr/lib/wine/wine
[ -x "$WINE32" ] || WINE32=$(command -v wine)

# The loader for a Windows program: the 64-bit one for an x86-64 image, else the 32-bit one.
wine_loader_for() {
    local pe_offset machine
    pe_offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    machine=$(od -An -tx2 -j$((${pe_offset:-0} + 4)) -N2 "$1" 2>/dev/null | tr -d ' ')
    if [ "$machine" = 8664 ] || [ ! -f "$1" ]; then echo "$WINE64"; else echo "$WINE32"; fi
}

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

# Mounts the CD image $1 read-only on the folder $2, the way this machine allows: the kernel's
# loop mount where it knows ISO 9660, else FUSE (fuseiso). Says which in one line; returns 1,
# having said why, when neither works, so that the caller can use the CD folder instead.
mount_cd_image() {
    local image=$1 mountpoint=$2 kernel_error fuse_error
    unmount_cd_image "$mountpoint"
    mkdir -p "$mountpoint"
    if kernel_error=$(mount -o loop,ro -t iso9660 "$image" "$mountpoint" 2>&1); then
        echo "CD: $image mounted read-only on $mountpoint (kernel loop mount)"
        return 0
    fi
    if ! command -v fuseiso >/dev/null; then
        fuse_error="fuseiso is not installed"
    elif fuse_error=$(fuseiso "$image" "$mountpoint" 2>&1) && mountpoint -q "$mountpoint"; then
        echo "CD: $image mounted read-only on $mountpoint (FUSE, fuseiso; the kernel's loop mount failed: ${kernel_error%%$'\n'*})"
        return 0
    fi
    echo "CD: cannot mount $image (kernel: ${kernel_error%%$'\n'*}; FUSE: ${fuse_error:-no mount}); using the CD folder"
    return 1
}
unmount_cd_image() {
    mountpoint -q "$1" 2>/dev/null || return 0
    fusermount -u "$1" 2>/dev/null || umount "$1" 2>/dev/null || true
}

# Whether this machine runs 32-bit Windows programs under Wine: its kernel must execute 32-bit
# ELF code (some kernels have that turned off) and Debian's 32-bit Wine must be installed.
# Returns 1 with the reason in win32_wine_reason when it cannot.
win32_wine_reason=""
kernel_runs_32bit_elf() {
    local probe error
    probe=$(mktemp /tmp/elf32-probe.XXXXXX)
    # The smallest 32-bit x86 Linux program: ELF header, one loadable segment, exit(0).
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
    chmod +x "$probe"
    error=$("$probe" 2>&1)
    local status=$?
    rm -f "$probe"
    [ $status -eq 0 ] && return 0
    local why=${error##*: }
    win32_wine_reason="the kernel does not execute 32-bit programs (${why:-status $status})"
    return 1
}
win32_wine_available() {
    kernel_runs_32bit_elf || return 1
    if [ ! -x /usr/lib/wine/wine ]; then
        win32_wine_reason="Debian's 32-bit Wine (wine32:i386) is not installed"
        return 1
    fi
}
