#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the native logic tests, the
# Windows tests under Wine on virtual displays, and the check of the shipped launcher.
#   scripts/test.sh [ctest options...]     such as -R unit_tests
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"
"$ROOT/scripts/make-prefix.sh"
remove_stale_runs

# The closing lines: what the runs chose on this machine (how the CD image was mounted, which
# launcher ran as Windows 98, and why), from CTest's log of this run, and the checksums of the
# shipped files.
print_closing_lines() {
    local log=$BUILD_DIR/native/Testing/Temporary/LastTest.log
    if [ "$log" -nt "$started" ]; then
        grep -hE '^(Windows 98|CD): ' "$log" | sed -E 's#/tmp/launcher-cd\.[A-Za-z0-9]+/cd#<mount point>#g' | sort -u || true
    fi
    "$ROOT/scripts/shipped-checksums.sh" "$BUILD_DIR/win32"
}

# The tests get displays of their own, never the user's: 24 bits for most, and 8 and 16
# bits for the colour-depth checks.
started=$(mktemp) || die "cannot make a temporary file"
trap 'stop_xvfbs; rm -f "$started"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
start_xvfb DISPLAY 24
start_xvfb LAUNCHER_TEST_DISPLAY_8 8
start_xvfb LAUNCHER_TEST_DISPLAY_16 16

status=0
ctest --test-dir "$BUILD_DIR/native" --output-on-failure -j 2 "$@" || status=$?
print_closing_lines || status=1
exit $status
