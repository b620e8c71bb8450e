#!/usr/bin/env bash
# The shipped 32-bit launcher loads on Windows 95: subsystem version 4.0, imports only from
# system DLLs that Windows 95 has, and needs no runtime DLL beside it.
set -uo pipefail
exe=$1
failed=0
fail() { echo "FAILED: $*"; failed=1; }
[ -f "$exe" ] || { echo "FAILED: no launcher at $exe"; exit 1; }
headers=$(i686-w64-mingw32-objdump -p "$exe")
grep -q "^Magic.*010b" <<<"$headers" || fail "not a 32-bit PE image"
grep -qE "^MajorSubsystemVersion\s+4$" <<<"$headers" || fail "subsystem major version is not 4"
grep -qE "^MinorSubsystemVersion\s+0$" <<<"$headers" || fail "subsystem minor version is not 0"
grep -qE "^Subsystem\s+00000002" <<<"$headers" || fail "not a GUI program"
allowed="KERNEL32.DLL USER32.DLL GDI32.DLL ADVAPI32.DLL SHELL32.DLL COMCTL32.DLL OLE32.DLL MSVCRT.DLL"
while read -r dll; do
    upper=$(tr '[:lower:]' '[:upper:]' <<<"$dll")
    grep -qw "$upper" <<<"$allowed" || fail "imports from $dll"
    echo "imports from $dll"
done < <(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
extra=$(find "$(dirname "$exe")" -maxdepth 1 -iname '*.dll')
[ -z "$extra" ] || fail "DLLs beside the launcher: $extra"
[ $failed -eq 0 ] && echo "the shipped launcher is a Windows 95 program"
exit $failed
