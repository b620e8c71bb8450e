#!/usr/bin/env bash
# scripts/wine-run.sh fails a test program that dies before its end: one killed by a signal,
# one that exits with 0 before GoogleTest's summary, and one stopped at its own time limit
# (before CTest's), whose prefix copy and CD mount are removed all the same. What a run that was
# killed outright left, the test command's clean-up removes, and nothing of a live run. The
# program is the Windows test suite's own sleeping child (win_tests.exe --sleep-ms=N), which
# prints nothing.
#
#   check-wine-run-failures.sh win_tests.exe
set -uo pipefail
run=$(dirname "$0")/../scripts/wine-run.sh
program=$1
failed=0
source "$(dirname "$0")/../scripts/common.sh"
work=$(mktemp -d) || exit 1
output=$work/output
trap 'rm -rf "$work"' EXIT
# A copy of the CD image: a build meanwhile remakes the image in place.
cp "$(dirname "$program")/../QUARLOCK2.iso" "$work/cd.iso" || exit 1

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
LAUNCHER_TEST_TIMEOUT=45 DEMO_CD_IMAGE=$work/cd.iso "$run" "$program" --sleep-ms=300000 >"$output" 2>&1 &
runner=$!
wait "$runner"
status=$?
if [ $status -eq 0 ] || ! grep -q "did not end within .* was stopped" "$output"; then
    echo "FAILED: a test program past its time limit gave status $status:"; cat "$output"; failed=1
fi
left=$(grep -l "^$runner " /tmp/launcher-wine.*/.owner /tmp/launcher-cd.*/.owner 2>/dev/null)
[ -z "$left" ] || { echo "FAILED: the run stopped at its time limit left" $left; failed=1; }

# Folders of runs that have ended, one with the CD image still mounted; a live run's; one
# without an owner.
made_by_ended_run() {
    bash -c 'source "$0"; folder=$(make_run_folder "$1") || exit 1
             [ -z "$2" ] || mount_cd_image "$2" "$folder/cd" >/dev/null; echo "$folder"' "$(dirname "$run")/common.sh" "$@"
}
stale_prefix=$(made_by_ended_run launcher-wine)
stale_cd=$(made_by_ended_run launcher-cd "$work/cd.iso")
live=$(make_run_folder launcher-wine)
unowned=$(mktemp -d /tmp/launcher-wine.XXXXXX)
remove_stale_runs >/dev/null
for folder in "$stale_prefix" "$stale_cd"; do
    [ ! -e "$folder" ] || { echo "FAILED: $folder of an ended run is left"; failed=1; }
done
! mountpoint -q "$stale_cd/cd" 2>/dev/null || { echo "FAILED: the CD image of an ended run is still mounted"; failed=1; }
for folder in "$live" "$unowned"; do
    [ -d "$folder" ] || { echo "FAILED: $folder, which is not an ended run's, was removed"; failed=1; }
done
rm -rf "$live" "$unowned"

[ $failed -eq 0 ] && echo "wine-run.sh fails a test program that was killed, ended before its summary or ran past its limit, and nothing of it is left"
exit $failed
