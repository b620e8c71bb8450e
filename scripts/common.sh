# Shared settings and helpers of the project's scripts: where things are built, how Wine is run,
# virtual displays, CD mounts and the clean-up of stopped runs. Sourcing it needs no tool that
# install-deps.sh installs.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINE_TEMPLATE_PREFIX=${WINE_TEMPLATE_PREFIX:-$BUILD_DIR/wineprefix-template}
export DEMO_CD_DIR=${DEMO_CD_DIR:-$BUILD_DIR/win64/cd}
LAUNCHER_EXE=Qlk2_launch.exe

script_name=${0##*/}
# Says on standard error what failed, and why, and ends the script.
die() {
    echo "$script_name: $*" >&2
    exit 1
}
# A script that ends at its first failing command (set -e) names that command as it ends; the
# failing command itself usually said why.
on_error() {
    [ "$BASH_SUBSHELL" -eq 0 ] || return 0
    echo "$script_name: stopped: '$3' failed with status $1 (${4##*/}, line $2)" >&2
}
case $- in
*e*) set -E; trap 'on_error $? $LINENO "$BASH_COMMAND" "${BASH_SOURCE[0]}"' ERR ;;
esac

# Wine's loaders, started directly: Debian's `wine` wrapper sends every program through the
# 32-bit loader when wine32 is installed, which stalls 64-bit ones and reports a 64-bit program
# killed by a signal as a success. find_wine sets WINE64 and WINE32, or ends the script when
# Wine is not installed.
find_wine() {
    WINE64=/usr/lib/wine/wine64
    if [ ! -x "$WINE64" ]; then
        WINE64=$(command -v wine64 || command -v wine) || die "Wine is not installed (scripts/install-deps.sh installs it)"
    fi
    WINE32=/usr/lib/wine/wine
    [ -x "$WINE32" ] || WINE32=$(command -v wine) || WINE32=$WINE64
    command -v wineserver >/dev/null || die "wineserver is not installed (scripts/install-deps.sh installs it)"
}

# The loader for a Windows program: the 64-bit one for an x86-64 image, else the 32-bit one.
wine_loader_for() {
    local pe_offset machine
    pe_offset=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || pe_offset=0
    machine=$(od -An -tx2 -j$((${pe_offset:-0} + 4)) -N2 "$1" 2>/dev/null | tr -d ' ') || machine=""
    if [ "$machine" = 8664 ] || [ ! -f "$1" ]; then echo "$WINE64"; else echo "$WINE32"; fi
}

# Starts an Xvfb with depth $2 on a display number that it chooses itself (-displayfd: another
# run starting one at the same moment cannot take the same), waits until it takes connections,
# exports its name in the variable named $1 and remembers its process in xvfb_pids. Ends the
# script, saying why, when the server does not come up.
xvfb_pids=()
start_xvfb() {
    local variable=$1 depth=$2 ready errors number="" pid
    command -v Xvfb >/dev/null || die "Xvfb is not installed (scripts/install-deps.sh installs it)"
    ready=$(mktemp /tmp/launcher-xvfb.XXXXXX) || die "cannot make a temporary file for Xvfb"
    errors=$(mktemp /tmp/launcher-xvfb.XXXXXX) || { rm -f "$ready"; die "cannot make a temporary file for Xvfb"; }
    Xvfb -displayfd 3 -screen 0 "1024x768x$depth" -nolisten tcp 3>"$ready" >/dev/null 2>"$errors" &
    pid=$!
    xvfb_pids+=("$pid")
    for _ in $(seq 300); do
        number=$(head -n 1 "$ready")
        [ -z "$number" ] || break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -z "$number" ]; then
        echo "$script_name: Xvfb (depth $depth) did not come up within 30 s; it said:" >&2
        tail -n 5 "$errors" >&2
        rm -f "$ready" "$errors"
        die "no virtual display"
    fi
    rm -f "$ready" "$errors"
    export "$variable=:$number"
}
stop_xvfbs() {
    [ ${#xvfb_pids[@]} -gt 0 ] || return 0
    kill "${xvfb_pids[@]}" 2>/dev/null || true
    wait "${xvfb_pids[@]}" 2>/dev/null || true
    xvfb_pids=()
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

# A run's own folder under /tmp (a prefix copy, a CD mount) holds .owner: the process id and
# start time of the script that made it. A run that CTest killed at its time-out never removed
# its folders; remove_stale_runs removes those whose owner has ended, and nothing else.
process_start_time() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    stat=${stat##*) }
    # The fields after the name: the start time is the 22nd field of the whole line.
    set -- $stat
    echo "${20}"
}
# Makes /tmp/$1.XXXXXX, owned by this script, and prints its name.
make_run_folder() {
    local folder
    folder=$(mktemp -d "/tmp/$1.XXXXXX") || die "cannot make a folder /tmp/$1.XXXXXX"
    echo "$$ $(process_start_time $$)" >"$folder/.owner" || die "cannot write $folder/.owner"
    echo "$folder"
}
# Whether the run that made the folder $1 has ended. A folder without an owner (still being
# made, or made by an older version of these scripts) counts as in use.
run_folder_abandoned() {
    local pid="" start=""
    [ -f "$1/.owner" ] && [ -O "$1" ] || return 1
    read -r pid start <"$1/.owner" 2>/dev/null
    [ -n "$pid" ] || return 1
    [ "$(process_start_time "$pid")" != "$start" ]
}
# Unmounts the CD image from the run folder $1 and removes the folder; returns 1, having said
# why, when the image stays mounted.
remove_cd_folder() {
    unmount_cd_image "$1/cd" || return 1
    rmdir "$1/cd" 2>/dev/null || true
    rm -f "$1/.owner"
    rmdir "$1"
}
remove_stale_runs() {
    local folder
    for folder in /tmp/launcher-wine.* /tmp/launcher-cd.*; do
        run_folder_abandoned "$folder" || continue
        echo "removing $folder, left by a stopped run (process $(cut -d' ' -f1 "$folder/.owner"))"
        case $folder in
        /tmp/launcher-wine.*)
            WINEPREFIX=$folder wineserver -k >/dev/null 2>&1 || true
            rm -rf --one-file-system "$folder" || true
            ;;
        *) remove_cd_folder "$folder" || true ;;
        esac
    done
    return 0
}

# Mounts the CD image $1 read-only on the folder $2, the way this machine allows: the kernel's
# loop mount where it knows ISO 9660, else FUSE (fuseiso). Says which in one line; returns 1,
# having said why, when neither works, so that the caller can use the CD folder instead.
mount_cd_image() {
    local image=$1 mountpoint=$2 kernel_error fuse_error
    unmount_cd_image "$mountpoint" || return 1
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
# Returns 1, having said so, when the image stays mounted.
unmount_cd_image() {
    mountpoint -q "$1" 2>/dev/null || return 0
    fusermount -u "$1" 2>/dev/null || umount "$1" 2>/dev/null
    mountpoint -q "$1" 2>/dev/null || return 0
    echo "$script_name: cannot unmount the CD image from $1" >&2
    return 1
}

# Under CTest, LAUNCHER_TEST_TIMEOUT is the test's limit in seconds. CTest kills a test at its
# limit and the test's clean-up never runs, so a test's program gets the time left until then,
# counted from the test's start, less what the clean-up needs: it ends by its own time-out.
cleanup_seconds=30
[ -z "${LAUNCHER_TEST_TIMEOUT:-}" ] || export LAUNCHER_TEST_STARTED=${LAUNCHER_TEST_STARTED:-$(date +%s)}
# Prints the seconds a test's program may run, or nothing when there is no limit.
program_time_limit() {
    [ -n "${LAUNCHER_TEST_TIMEOUT:-}" ] || return 0
    local left=$((LAUNCHER_TEST_STARTED + LAUNCHER_TEST_TIMEOUT - cleanup_seconds - $(date +%s)))
    echo $((left > 1 ? left : 1))
}

# Whether this machine runs 32-bit Windows programs under Wine: its kernel must execute 32-bit
# ELF code (some kernels have that turned off) and Debian's 32-bit Wine must be installed.
# Returns 1 with the reason in win32_wine_reason when it cannot. LAUNCHER_KERNEL_RUNS_32BIT=yes
# or no stands in for the kernel's answer.
win32_wine_reason=""
# Where install-deps.sh remembers that wine32:i386 could not be installed: outside the clone, so
# that a fresh clone on the same machine does not try again.
WINE32_MEMO=${LAUNCHER_WINE32_MEMO:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/quarlock2-launcher/wine32-not-installable}
kernel_runs_32bit_elf() {
    case ${LAUNCHER_KERNEL_RUNS_32BIT:-} in
    yes) return 0 ;;
    no) win32_wine_reason="the kernel does not execute 32-bit programs (LAUNCHER_KERNEL_RUNS_32BIT=no)"; return 1 ;;
    esac
    local probe error status=0
    probe=$(mktemp /tmp/elf32-probe.XXXXXX) || die "cannot make a temporary file for the 32-bit probe"
    # The smallest 32-bit x86 Linux program: ELF header, one loadable segment, exit(0).
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe" &&
        chmod +x "$probe" || { rm -f "$probe"; die "cannot write the 32-bit probe $probe"; }
    error=$("$probe" 2>&1) || status=$?
    rm -f "$probe"
    [ $status -eq 0 ] && return 0
    local why=${error##*: }
    win32_wine_reason="the kernel does not execute 32-bit programs (${why:-status $status})"
    return 1
}
win32_wine_available() {
    kernel_runs_32bit_elf || return 1
    [ ! -x /usr/lib/wine/wine ] || return 0
    if [ -f "$WINE32_MEMO" ]; then
        win32_wine_reason="wine32:i386 could not be installed on this machine ($(head -n 1 "$WINE32_MEMO"); delete $WINE32_MEMO to try again)"
    else
        win32_wine_reason="Debian's 32-bit Wine (wine32:i386) is not installed"
    fi
    return 1
}
