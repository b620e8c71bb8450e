#!/usr/bin/env bash
# The product's folders include only what lies below them (README, "Layout"): no folder
# includes one above it, so the include graph between folders has no cycle.
set -uo pipefail
cd "$(dirname "$0")/.."
declare -A allowed=(
    [launcher]="install savefolder config settings common resources"
    [savefolder]="install settings common resources"
    [install]="settings common resources"
    [config]="settings common resources"
    [settings]="common"
    [common]=""
)
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
    done < <(grep -Hn '^#include "[a-z_]*/' "$folder"/*.h "$folder"/*.cpp)
done
[ $failed -eq 0 ] && echo "every folder includes only the floors below it"
exit $failed
