#!/usr/bin/env bash
# The shipped 32-bit launcher loads on Windows 95 and runs on the original Pentium: subsystem
# version 4.0, imports only from the six known system DLLs that Windows 95 has (no C runtime DLL,
# no COMCTL32, which the launcher loads by its full path), no wide-character function (Windows 95
# lacks or stubs them), exactly the reviewed functions of the import list, exactly the reviewed
# DLL names in its text, no runtime DLL beside it, no C runtime's initialiser tables, no
# instruction in any code section that the Pentium lacks, no manifest, and a version resource that
# does not make Windows take the launcher for an installer.
#
#   check-shipped-pe.sh launcher.exe reviewed-imports.txt reviewed-dll-names.txt
set -uo pipefail
exe=$1
reviewed=$2
reviewed_names=$3
failed=0
fail() { echo "FAILED: $*"; failed=1; }
[ -f "$exe" ] || { echo "FAILED: no launcher at $exe"; exit 1; }
[ -r "$reviewed" ] || { echo "FAILED: no list of reviewed imports at $reviewed"; exit 1; }
[ -r "$reviewed_names" ] || { echo "FAILED: no list of reviewed DLL names at $reviewed_names"; exit 1; }
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

# Windows' known DLLs on NT, which it loads from its system folder only, whatever lies beside a
# program.
allowed="KERNEL32.DLL USER32.DLL GDI32.DLL ADVAPI32.DLL SHELL32.DLL OLE32.DLL"
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

# Every DLL name in the program's text, as a file name, lower-case, besides those of its imports:
# a DLL that the launcher loads or looks for by name. Wide texts are left out: the launcher calls
# no wide-character function, so none of them is ever a name it loads.
imported=$(cut -d'!' -f1 <<<"$imports" | sort -u | tr 'A-Z' 'a-z')
named=$(i686-w64-mingw32-strings -a "$exe" | grep -oiE '[^\\/:*?"<>| ]+\.dll' | tr 'A-Z' 'a-z' | sort -u |
    comm -23 - <(echo "$imported"))
listed_names=$(sed 's/#.*//; s/[[:space:]]//g; /^$/d' "$reviewed_names" | tr 'A-Z' 'a-z' | sort -u)
unreviewed=$(comm -23 <(echo "$named") <(echo "$listed_names"))
gone=$(comm -13 <(echo "$named") <(echo "$listed_names"))
[ -z "$unreviewed" ] || fail "DLL names not on the reviewed list $reviewed_names (check how each is loaded, then add it):" $unreviewed
[ -z "$gone" ] || fail "DLL names no longer in the launcher, remove from $reviewed_names:" $gone

extra=$(find "$(dirname "$exe")" -maxdepth 1 -iname '*.dll')
[ -z "$extra" ] || fail "DLLs beside the launcher: $extra"

# The C runtime's tables of initialisers and thread-local data: nothing in the launcher runs them.
crt=$(i686-w64-mingw32-objdump -h "$exe" | awk '$2 == ".CRT" || $2 == ".tls" { print $2 }')
[ -z "$crt" ] || fail "C runtime sections:" $crt

# Every instruction of every code section against what the Pentium (P54C) executes: none of the
# Pentium Pro's (conditional moves, x87 comparisons into the flags, the long NOP), no MMX or SSE
# (any mm or xmm register, and the SSE instructions that name none), none of the later fast
# system calls or bit-manipulation instructions. ud2 is allowed: it is there to fault.
code=$(i686-w64-mingw32-objdump -d --no-show-raw-insn "$exe")
later=$(awk -F'\t' '
    $1 !~ /^ *[0-9a-f]+:$/ || NF < 2 { next }
    {
        count = split($2, word, " ")
        first = 1
        while (first < count && word[first] ~ /^(rep[a-z]*|lock|data16|addr16|[c-gs]s|notrack|bnd)$/) first++
        mnemonic = word[first]
        later = mnemonic ~ /^(cmov[a-z]+|fcmov[a-z]+|fu?com(i|ip|pi)|sys(enter|exit|call|ret[lq]?)|rdpmc|rdtscp|emms|femms|[lms]fence|clflush[a-z]*|prefetch[a-z0-9]*|movnti|maskmovq|[ls]dmxcsr|fxsave[a-z0-9]*|fxrstor[a-z0-9]*|fisttp[a-z]*|monitor|mwait|xgetbv|popcnt|lzcnt|tzcnt|movbe|crc32[a-z]*|andn|bextr|bls[imr]+|bzhi|pdep|pext|rorx|sarx|shlx|shrx|mulx|adcx|adox|cmpxchg16b)$/ \
            || (mnemonic ~ /^nop[lw]?$/ && first < count) \
            || $2 ~ /%[xyz]?mm[0-9]/
        if (later) print $1 " " $2
    }' <<<"$code")
[ -n "$(grep -m1 -E '^ *[0-9a-f]+:' <<<"$code")" ] || fail "no code disassembled: is this objdump's format?"
[ -z "$later" ] || fail "$(wc -l <<<"$later") instructions the original Pentium lacks, the first: $(head -5 <<<"$later" | tr '\n' ';')"

# The resources, as windres reads them back out of the file.
resources=$(i686-w64-mingw32-windres -i "$exe" -O rc 2>&1)
grep -q '^/\* Type: dialog' <<<"$resources" || fail "no dialog among the resources: is this windres's format?"
# A manifest (resource type 24) of any kind, even one asking only for the invoker's rights, switches
# off Windows Vista's registry virtualization: then a user without administrator rights can write
# nothing under HKEY_LOCAL_MACHINE\Software, neither the game's settings nor the start's values.
! grep -qE '^/\* Type: 24$|RT_MANIFEST' <<<"$resources" || fail "carries a manifest (resource type 24)"
# The version that Explorer shows. A word of Windows' installer detection in any of its texts, or in
# the file's name, makes Windows Vista and later ask for administrator rights before every start.
version=$(awk '/^\/\* Type: version/ { found = 1 } found && /VALUE "/ { print } found && /^\/\* Type: / && !/version/ { exit }' <<<"$resources")
value() { sed -n "s/^ *VALUE \"$1\", \"\(.*\)\"\$/\1/p" <<<"$version"; }
for expected in "CompanyName=ORVANE" "ProductName=QUARLOCK2" "LegalCopyright=(C)ORVANE" \
                "OriginalFilename=$(basename "$exe")"; do
    [ "$(value "${expected%%=*}")" = "${expected#*=}" ] || fail "version resource: ${expected%%=*} is not \"${expected#*=}\""
done
for name in FileDescription FileVersion ProductVersion; do
    [ -n "$(value $name)" ] || fail "version resource: no $name"
done
detected=$(grep -ioE 'install|setup|update|patch' <<<"$version
$(basename "$exe")" | sort -u | tr '\n' ' ')
[ -z "$detected" ] || fail "Windows would take the launcher for an installer, from the words: $detected"

[ $failed -eq 0 ] && echo "the shipped launcher is a Windows 95 program for the Pentium: $(wc -l <<<"$imports") reviewed imports from $(cut -d'!' -f1 <<<"$imports" | sort -u | tr '\n' ' ')and the reviewed DLL names $(tr '\n' ' ' <<<"$named")"
exit $failed
