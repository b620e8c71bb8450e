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

ctest --test-dir "$BUILD_DIR/native" --output-on-failure -j 2 "$@"
