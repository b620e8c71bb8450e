#!/usr/bin/env bash
# The product's folders include only what the floor table of the README lets them: no folder
# includes one above it, so the include graph between folders has no cycle; nor has the one
# between the files of a folder.
set -uo pipefail
cd "$(dirname "$0")/.."
# The table's rows: | floor | `a/`, `b/` | `c/`, `d/` (why) |, or "nothing of the project".
declare -A allowed=()
while IFS='|' read -r _ _ folders included _; do
    names() { grep -o '`[a-z_]*/`' <<<"$1" | tr -d '`/' | tr '\n' ' '; }
    for folder in $(names "$folders"); do allowed[$folder]=$(names "$included"); done
done < <(sed -n '/^| floor | folder | may include |$/,/^$/p' README.md | tail -n +3)
[ ${#allowed[@]} -gt 0 ] || { echo "FAILED: no floor table in README.md"; exit 1; }
failed=0
for folder in "${!allowed[@]}"; do
    while IFS=: read -r file line included; do
        target=${included#*\"}
        target=${target%%/*}
        [ "$target" = "$folder" ] && continue
        if ! grep -qw "$target" <<<"${allowed[$folder]}"; then
            echo "FAILED: $file:$line includes $target/, which $folder/ may not"
            failed=1
        fi
    done < <(grep -Hn '^#include "[a-z_]*/' "$folder"/*.h "$folder"/*.cpp 2>/dev/null)
done
# Inside a folder the files stand on floors too: no file includes one that (through others)
# includes it back, so the includes between a folder's files, a .h and its .cpp taken as one,
# have an order.
for folder in "${!allowed[@]}"; do
    loop=$(grep -Ho "^#include \"$folder/[a-z_]*\.h\"" "$folder"/*.h "$folder"/*.cpp 2>/dev/null |
        sed -E "s#^$folder/([a-z_]+)\.(h|cpp):\#include \"$folder/([a-z_]+)\.h\"#\1 \3#" |
        awk '$1 != $2' | tsort 2>&1 >/dev/null | sed -n 's/^tsort: \([a-z_]*\)$/\1/p' | tr '\n' ' ')
    if [ -n "$loop" ]; then
        echo "FAILED: in $folder/ these include each other, one of them upwards: $loop"
        failed=1
    fi
done
[ $failed -eq 0 ] && echo "every folder includes only the floors below it, and no file of a folder one above it: ${!allowed[*]}"
exit $failed
