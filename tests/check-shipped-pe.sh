#!/usr/bin/env bash
# The shipped 32-bit launcher loads on Windows 95: subsystem version 4.0, imports only from the
# seven system DLLs that Windows 95 has (no C runtime DLL), no wide-character function (Windows
# 95 lacks or stubs them), exactly the reviewed functions of the import list, no runtime DLL
# beside it, and no C runtime's initialiser tables.
#
#   check-shipped-pe.sh launcher.exe reviewed-imports.txt
set -uo pipefail
exe=$1
reviewed=$2
failed=0
fail() { echo "FAILED: $*"; failed=1; }
[ -f "$exe" ] || { echo "FAILED: no launcher at $exe"; exit 1; }
[ -r "$reviewed" ] || { echo "FAILED: no list of reviewed imports at $reviewed"; exit 1; }
headers=$(i686-w64-mingw32-objdump -p "$exe")
grep -q "^Magic.*010b" <<<"$headers" || fail "not a 32-bit PE image"
grep -qE "^MajorSubsystemVersion\s+4$" <<<"$headers" || fail "subsystem major version is not 4"
grep -qE "^MinorSubsystemVersion\s+0$" <<<"$headers" || fail "subsystem minor version is not 0"
grep -qE "^Subsystem\s+00000002" <<<"$headers" || fail "not a GUI program"

# DLL!function for every import, upper-case DLL names; an import by ordinal as DLL!#ordinal.
imports=$(awk '
    /^The Import Tables/ { in_imports = 1; next }
    /^The [A-Z]/ { in_imports = 0 }
    in_imports && /DLL Name:/ { dll = toupper($3); next }
    in_imports && dll != "" && /^\t[0-9a-f]+\t/ { print dll "!" (NF >= 3 ? $3 : "#" $2) }
' <<<"$headers" | sort -u)
[ -n "$imports" ] || fail "no imports found: is this objdump's format?"

allowed="KERNEL32.DLL USER32.DLL GDI32.DLL ADVAPI32.DLL SHELL32.DLL COMCTL32.DLL OLE32.DLL"
for dll in $(cut -d'!' -f1 <<<"$imports" | sort -u); do
    grep -qw "$dll" <<<"$allowed" || fail "imports from $dll"
done
wide=$(grep -E 'W$' <<<"$imports")
[ -z "$wide" ] || fail "imports wide-character functions:" $wide

listed=$(sed 's/#.*//; s/[[:space:]]//g; /^$/d' "$reviewed" | sort -u)
unreviewed=$(comm -23 <(echo "$imports") <(echo "$listed"))
gone=$(comm -13 <(echo "$imports") <(echo "$listed"))
[ -z "$unreviewed" ] || fail "imports not on the reviewed list $reviewed (check each exists on Windows 95, then add it):" $unreviewed
[ -z "$gone" ] || fail "no longer imported, remove from $reviewed:" $gone

extra=$(find "$(dirname "$exe")" -maxdepth 1 -iname '*.dll')
[ -z "$extra" ] || fail "DLLs beside the launcher: $extra"

# The C runtime's tables of initialisers and thread-local data: nothing in the launcher runs them.
crt=$(i686-w64-mingw32-objdump -h "$exe" | awk '$2 == ".CRT" || $2 == ".tls" { print $2 }')
[ -z "$crt" ] || fail "C runtime sections:" $crt

[ $failed -eq 0 ] && echo "the shipped launcher is a Windows 95 program: $(wc -l <<<"$imports") reviewed imports from $(cut -d'!' -f1 <<<"$imports" | sort -u | tr '\n' ' ')"
exit $failed
