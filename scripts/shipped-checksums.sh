#!/usr/bin/env bash
# Prints the SHA-256 of the shipped launcher and of the shipped CD image, as they would be
# written on the gold master's label: every build of one commit gives these same bytes.
#
#   scripts/shipped-checksums.sh [32-bit build tree]      default build/win32
set -euo pipefail
tree=${1:-$(dirname "$0")/../build/win32}
echo "SHA-256 of the shipped files:"
for file in "$tree/cd/Qlk2_launch.exe" "$tree/QUARLOCK2.iso"; do
    [ -f "$file" ] || { echo "no $file: build the tree first" >&2; exit 1; }
    printf '  %-16s %s\n' "$(basename "$file")" "$(sha256sum "$file" | cut -d' ' -f1)"
done
