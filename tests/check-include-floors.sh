#!/usr/bin/env bash
# The product's folders include only what the floor table of the README lets them: no folder
# includes one above it, so the include graph between folders has no cycle.
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
[ $failed -eq 0 ] && echo "every folder includes only the floors below it: ${!allowed[*]}"
exit $failed
