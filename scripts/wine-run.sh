#!/usr/bin/env bash
# Runs one Windows program under Wine in a fresh copy of the template prefix, with the demo CD
# as CD-ROM drive D:, and removes the copy afterwards.
#   DEMO_CD_IMAGE         an ISO image to mount read-only as the CD (else the folder DEMO_CD_DIR)
#   WINE_WINDOWS_VERSION  the Windows version Wine reports, such as win98
# A test program (*_tests.exe) passes only when it exits with 0 and has printed GoogleTest's
# closing summary: one killed by a signal, or that died before its end, fails.
set -uo pipefail
source "$(dirname "$0")/common.sh"
[ -f "$WINE_TEMPLATE_PREFIX/.template-ready" ] || "$ROOT/scripts/make-prefix.sh" >&2
export WINEPREFIX=$(mktemp -d /tmp/launcher-wine.XXXXXX)
cd_mount=""
output=""
cleanup() {
    wineserver -k >/dev/null 2>&1
    [ -z "$cd_mount" ] || { unmount_cd_image "$cd_mount"; rmdir "$cd_mount"; }
    # Stopped before the program's output was shown (a time-out): show what there is.
    [ -z "$output" ] || { cat "$output"; rm -f "$output"; }
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
cp -a "$WINE_TEMPLATE_PREFIX/." "$WINEPREFIX/"
if [ -n "${DEMO_CD_IMAGE:-}" ]; then
    cd_mount=$(mktemp -d /tmp/launcher-cd.XXXXXX)
    mount_cd_image "$DEMO_CD_IMAGE" "$cd_mount" && export DEMO_CD_DIR=$cd_mount
fi
ln -sfn "$DEMO_CD_DIR" "$WINEPREFIX/dosdevices/d:"

program=$1; shift
loader=$(wine_loader_for "$program")
wineserver -p
# The first process starts Wine's helpers, which keep its output open: send theirs elsewhere.
"$loader" cmd /c exit >/dev/null 2>&1 </dev/null
if [ -n "${WINE_WINDOWS_VERSION:-}" ]; then
    "$loader" reg add 'HKCU\Software\Wine' /v Version /d "$WINE_WINDOWS_VERSION" /f >/dev/null 2>&1 </dev/null
fi

case "$program" in
*_tests.exe) ;;
*) "$loader" "$program" "$@"; exit ;;
esac
output=$(mktemp /tmp/launcher-test-output.XXXXXX)
"$loader" "$program" "$@" >"$output" 2>&1
status=$?
cat "$output"
summary=$(grep -cE '^\[==========\] [0-9]+ tests? from [0-9]+ test suites? ran' "$output")
rm -f "$output"
output=""
if [ $status -gt 128 ]; then
    echo "FAILED: $(basename "$program") was killed by signal $((status - 128))"
    exit 1
fi
if [ "$summary" -eq 0 ]; then
    echo "FAILED: $(basename "$program") ended (status $status) without GoogleTest's summary"
    exit 1
fi
exit $status
