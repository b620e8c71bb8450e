#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the native logic tests, the
# Windows tests under Wine on virtual displays, and the check of the shipped launcher.
set -euo pipefail
source "$(dirname "$0")/common.sh"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"
"$ROOT/scripts/make-prefix.sh"

# The tests get displays of their own, never the user's: 24 bits for most, and 8 and 16
# bits for the colour-depth checks.
start_xvfb DISPLAY 100 24
start_xvfb LAUNCHER_TEST_DISPLAY_8 110 8
start_xvfb LAUNCHER_TEST_DISPLAY_16 120 16
trap stop_xvfbs EXIT

status=0
ctest --test-dir "$BUILD_DIR/native" --output-on-failure -j 2 "$@" || status=$?
# What the runs chose on this machine: how the CD image was mounted, which launcher ran as
# Windows 98, and why.
log="$BUILD_DIR/native/Testing/Temporary/LastTest.log"
[ -f "$log" ] && grep -hE '^(Windows 98|CD): ' "$log" | sed -E 's#/tmp/launcher-cd\.[A-Za-z0-9]+#<mount point>#g' | sort -u
"$ROOT/scripts/shipped-checksums.sh" "$BUILD_DIR/win32" || status=1
exit $status
