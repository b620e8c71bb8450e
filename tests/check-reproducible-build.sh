#!/usr/bin/env bash
# Two builds of one commit give the same shipped bytes: builds the shipped launcher and its CD
# image once more, in a folder of its own (another path, of another length), compares them with
# the main build's, and finds no folder of either build, nor of the sources, in them.
#
#   check-reproducible-build.sh main-32-bit-build-tree
set -uo pipefail
tree=$(cd "$1" && pwd) || { echo "FAILED: no build tree at $1"; exit 1; }
source=$(cd "$(dirname "$0")/.." && pwd)
cache=$tree/CMakeCache.txt
[ -f "$cache" ] || { echo "FAILED: $tree is not configured"; exit 1; }
setting() { sed -n "s/^$1:[A-Z]*=//p" "$cache"; }

second=$(mktemp -d /tmp/launcher-rebuild.XXXXXX)
trap 'rm -rf "$second"' EXIT
# One job: the other tests run beside this one.
if ! log=$( (cmake -S "$source" -B "$second" -DCMAKE_TOOLCHAIN_FILE="$(setting CMAKE_TOOLCHAIN_FILE)" \
                   -DMINGW_PROCESSOR="$(setting MINGW_PROCESSOR)" -DMINGW_THREADS="$(setting MINGW_THREADS)" \
                   -DCMAKE_BUILD_TYPE="$(setting CMAKE_BUILD_TYPE)" &&
             cmake --build "$second" -j 1 --target cd_image) 2>&1); then
    echo "FAILED: the second build, in $second:"
    tail -20 <<<"$log"
    exit 1
fi

failed=0
for file in cd/Qlk2_launch.exe QUARLOCK2.iso; do
    if cmp -s "$tree/$file" "$second/$file"; then
        echo "same bytes from $tree and $second: $file"
    else
        echo "FAILED: $file differs between $tree and $second"
        failed=1
    fi
done
if [ $failed -ne 0 ]; then
    (cd "$tree/cd" && find . -type f) | while read -r file; do
        cmp -s "$tree/cd/$file" "$second/cd/$file" || echo "  differs on the CD: ${file#./}"
    done
fi
for folder in "$source" "$tree" "$second"; do
    found=$(grep -rlF "$folder" "$tree/cd" "$tree/QUARLOCK2.iso" "$second/cd" "$second/QUARLOCK2.iso")
    [ -z "$found" ] || { echo "FAILED: $folder is named in" $found; failed=1; }
done
exit $failed
