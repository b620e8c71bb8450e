#!/usr/bin/env bash
# scripts/run.sh without a display, from the CD image, answers the first-start questions, quits
# the launcher through its menu, exits 0 naming its screenshots, and leaves nothing of it
# running or mounted: every process it started carries a mark in its environment.
#
#   check-run-demo.sh
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/launcher-demo-check.XXXXXX) || exit 1
trap 'rm -rf --one-file-system "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }
mark=LAUNCHER_DEMO_CHECK=$$.$RANDOM

env -u DISPLAY "$mark" DEMO_PREFIX="$work/prefix" SCREENSHOT="$work/shots/launcher-screen.png" \
    "$root/scripts/run.sh" --image >"$work/out" 2>&1
status=$?
[ $status -eq 0 ] || fail "run.sh exited with status $status"
grep -q "ended through Quit with exit code 0" "$work/out" || fail "run.sh did not say that the launcher ended through Quit"
shots=$(sed -n 's/^  \(.*\.png\)$/\1/p' "$work/out")
grep -qx "$work/shots/launcher-screen.png" <<<"$shots" || fail "the title screen's screenshot is not named"
for shot in $shots; do
    [ -s "$shot" ] || fail "the screenshot $shot is missing"
done
mount=$(sed -n 's/^CD: .* mounted read-only on \([^ ]*\) (.*/\1/p' "$work/out")
[ -n "$mount" ] || echo "the CD image could not be mounted here; the demo used the CD folder"
[ -z "$mount" ] || ! mountpoint -q "$mount" || fail "the CD image is still mounted on $mount"
[ -z "$mount" ] || [ ! -e "$mount" ] || fail "the mount point $mount is left"

left=""
for environ in /proc/[0-9]*/environ; do
    grep -qzxF "$mark" "$environ" 2>/dev/null || continue
    pid=${environ#/proc/}
    pid=${pid%/environ}
    left="$left $pid ($(cat "/proc/$pid/comm" 2>/dev/null))"
    kill "$pid" 2>/dev/null
done
[ -z "$left" ] || fail "run.sh left running:$left"
[ $failed -eq 0 ] || { echo "run.sh said:"; cat "$work/out"; }
[ $failed -eq 0 ] && echo "the headless demo quits through the menu and leaves nothing running or mounted"
exit $failed
