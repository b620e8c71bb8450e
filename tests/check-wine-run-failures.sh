#!/usr/bin/env bash
# scripts/wine-run.sh fails a test program that dies before its end: one killed by a signal,
# and one that exits with 0 before GoogleTest's summary. The program is the Windows test suite's
# own sleeping child (win_tests.exe --sleep-ms=N), which prints nothing.
#
#   check-wine-run-failures.sh win_tests.exe
set -uo pipefail
run=$(dirname "$0")/../scripts/wine-run.sh
program=$1
failed=0
output=$(mktemp)
trap 'rm -f "$output"' EXIT

"$run" "$program" --sleep-ms=10 >"$output" 2>&1
status=$?
if [ $status -eq 0 ] || ! grep -q "without GoogleTest's summary" "$output"; then
    echo "FAILED: a test program that ended without its summary gave status $status:"; cat "$output"; failed=1
fi

"$run" "$program" --sleep-ms=300000 >"$output" 2>&1 &
runner=$!
# The program's process is the runner's child that Wine has named after the program (the
# runner's own subshells carry the runner's name).
name=$(basename "$program" | cut -c1-15)
victim=""
for _ in $(seq 600); do
    for child in $(pgrep -P "$runner"); do
        [ "$(cat "/proc/$child/comm" 2>/dev/null)" != "$name" ] || victim=$child
    done
    [ -z "$victim" ] || break
    sleep 0.1
done
if [ -z "$victim" ]; then
    echo "FAILED: the sleeping test program never started"; kill "$runner"; failed=1
else
    kill -KILL "$victim"
    wait "$runner"
    status=$?
    if [ $status -eq 0 ] || ! grep -q "killed by signal 9" "$output"; then
        echo "FAILED: a test program killed by a signal gave status $status:"; cat "$output"; failed=1
    fi
fi
[ $failed -eq 0 ] && echo "wine-run.sh fails a test program that was killed or ended before its summary"
exit $failed
