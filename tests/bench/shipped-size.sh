#!/usr/bin/env bash
# Prints the size of the shipped 32-bit launcher beside the bare dialog program built by the
# same tree: the whole file, its resources (the title pictures), and the program less them.
#
#   tests/bench/shipped-size.sh [32-bit build tree]      default build/win32
set -euo pipefail
tree=${1:-$(dirname "$0")/../../build/win32}
printf '%-22s %10s %10s %12s\n' "" "file" ".rsrc" "less .rsrc"
for program in "launcher:$tree/cd/Qlk2_launch.exe" "bare dialog program:$tree/bench/bare_dialog.exe"; do
    name=${program%%:*} file=${program#*:}
    [ -f "$file" ] || { echo "no $file: build the tree first" >&2; exit 1; }
    size=$(stat -c %s "$file")
    rsrc=$(printf '%d' "0x$(i686-w64-mingw32-objdump -h "$file" | awk '$2 == ".rsrc" { print $3 }')")
    printf '%-22s %10d %10d %12d\n' "$name" "$size" "$rsrc" "$((size - rsrc))"
done
