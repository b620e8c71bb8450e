#!/usr/bin/env bash
# Makes the template Wine prefix that every test run copies: fonts, no window manager
# waits, real folders instead of links into $HOME, and a CD-ROM drive D:. With WINEARCH=win32
# (and a folder as $1) it makes a 32-bit one, which only 32-bit Wine can start.
set -euo pipefail
source "$(dirname "$0")/common.sh"
prefix=${1:-$WINE_TEMPLATE_PREFIX}
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
"$loader" wineboot -i >/dev/null 2>&1
"$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
"$loader" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif' /f >/dev/null 2>&1
"$loader" reg add 'HKLM\Software\Wine\Drives' /v 'd:' /d cdrom /f >/dev/null 2>&1
wineserver -w
cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
replace_drive_c_links "$prefix"
touch "$prefix/.template-ready"
