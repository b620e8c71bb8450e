#!/usr/bin/env bash
# Runs one Windows program under Wine in a fresh copy of the template prefix, with the demo CD
# as CD-ROM drive D:, and removes the copy afterwards.
#   DEMO_CD_IMAGE         an ISO image to mount read-only as the CD (else the folder DEMO_CD_DIR)
#   WINE_WINDOWS_VERSION  the Windows version Wine reports, such as win98
#   LAUNCHER_TEST_TIMEOUT CTest's limit for the test: the program is stopped before it
# A test program (*_tests.exe) passes only when it exits with 0 and has printed GoogleTest's
# closing summary: one killed by a signal, or that died before its end, or stopped at its time
# limit, fails.
set -uo pipefail
source "$(dirname "$0")/common.sh"
[ $# -ge 1 ] || die "usage: wine-run.sh program.exe [arguments...]"
program=$1; shift
[ -f "$program" ] || die "no program $program (scripts/build.sh builds it)"
find_wine
[ -f "$WINE_TEMPLATE_PREFIX/.template-ready" ] || "$ROOT/scripts/make-prefix.sh" >&2 || exit 1
WINEPREFIX=""
cd_folder=""
output=""
cleanup() {
    [ -z "$WINEPREFIX" ] || wineserver -k >/dev/null 2>&1
    [ -z "$cd_folder" ] || remove_cd_folder "$cd_folder"
    # Stopped before the program's output was shown: show what there is.
    [ -z "$output" ] || { cat "$output"; rm -f "$output"; }
    [ -z "$WINEPREFIX" ] || rm -rf --one-file-system "$WINEPREFIX"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
WINEPREFIX=$(make_run_folder launcher-wine) || exit 1
export WINEPREFIX
cp -a "$WINE_TEMPLATE_PREFIX/." "$WINEPREFIX/" || die "cannot copy the template prefix $WINE_TEMPLATE_PREFIX to $WINEPREFIX"
if [ -n "${DEMO_CD_IMAGE:-}" ]; then
    cd_folder=$(make_run_folder launcher-cd) || exit 1
    mount_cd_image "$DEMO_CD_IMAGE" "$cd_folder/cd" && export DEMO_CD_DIR=$cd_folder/cd
fi
ln -sfn "$DEMO_CD_DIR" "$WINEPREFIX/dosdevices/d:" || die "cannot make $DEMO_CD_DIR drive D: in $WINEPREFIX"

loader=$(wine_loader_for "$program")
wineserver -p || die "cannot start a wineserver for $WINEPREFIX"
# The first process starts Wine's helpers, which keep its output open: send theirs elsewhere.
"$loader" cmd /c exit >/dev/null 2>&1 </dev/null || die "Wine cannot start a program in $WINEPREFIX ($loader)"
if [ -n "${WINE_WINDOWS_VERSION:-}" ]; then
    "$loader" reg add 'HKCU\Software\Wine' /v Version /d "$WINE_WINDOWS_VERSION" /f >/dev/null 2>&1 </dev/null ||
        die "cannot make Wine report $WINE_WINDOWS_VERSION"
fi

limit=$(program_time_limit)
# In the foreground: an interrupt from the terminal still reaches the program. What it started
# is ended by the clean-up's wineserver -k.
run_program() {
    if [ -n "$limit" ]; then timeout --foreground --kill-after=10 "$limit" "$@"; else "$@"; fi
}
timed_out() {
    [ -n "$limit" ] && [ "$1" -eq 124 ] || return 1
    echo "FAILED: $(basename "$program") did not end within $limit s and was stopped (the test's limit is ${LAUNCHER_TEST_TIMEOUT} s, $cleanup_seconds s of it kept for the clean-up)"
}
case "$program" in
*_tests.exe) ;;
*)
    run_program "$loader" "$program" "$@"
    status=$?
    ! timed_out $status || exit 1
    exit $status
    ;;
esac
output=$(mktemp /tmp/launcher-test-output.XXXXXX) || die "cannot make a temporary file for the program's output"
run_program "$loader" "$program" "$@" >"$output" 2>&1
status=$?
cat "$output"
summary=$(grep -cE '^\[==========\] [0-9]+ tests? from [0-9]+ test suites? ran' "$output")
rm -f "$output"
output=""
timed_out $status && exit 1
if [ $status -gt 128 ]; then
    echo "FAILED: $(basename "$program") was killed by signal $((status - 128))"
    exit 1
fi
if [ "$summary" -eq 0 ]; then
    echo "FAILED: $(basename "$program") ended (status $status) without GoogleTest's summary"
    exit 1
fi
exit $status
