#!/usr/bin/env bash
# Makes the template Wine prefix that every test run copies: fonts, no window manager
# waits, real folders instead of links into $HOME, and a CD-ROM drive D:. With WINEARCH=win32
# (and a folder as $1) it makes a 32-bit one, which only 32-bit Wine can start.
set -euo pipefail
source "$(dirname "$0")/common.sh"
find_wine
prefix=${1:-$WINE_TEMPLATE_PREFIX}
[ -n "$prefix" ] || die "no prefix folder given"
if [ -f "$prefix/.template-ready" ]; then
    replace_drive_c_links "$prefix"
    exit 0
fi
rm -rf "$prefix"
export WINEPREFIX=$prefix
loader=$WINE64
[ "${WINEARCH:-}" != win32 ] || loader=$WINE32
echo "making the Wine prefix $prefix"
mkdir -p "$(dirname "$prefix")"
output=$(mktemp) || die "cannot make a temporary file"
trap 'rm -f "$output"' EXIT
# Wine's own output only matters when a step fails.
wine_step() {
    "$loader" "$@" >"$output" 2>&1 </dev/null && return 0
    local status=$?
    tail -n 20 "$output" >&2
    die "making the prefix $prefix: '$loader $*' failed with status $status"
}
wine_step wineboot -i
wine_step reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
wine_step reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif' /f
wine_step reg add 'HKLM\Software\Wine\Drives' /v 'd:' /d cdrom /f
wineserver -w
cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
replace_drive_c_links "$prefix"
touch "$prefix/.template-ready"
