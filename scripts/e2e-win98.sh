#!/usr/bin/env bash
# The end-to-end tests once more, with Wine reporting Windows 98, in a prefix of their own. Where
# Wine runs 32-bit programs they run the shipped 32-bit launcher from the 32-bit CD image in a
# 32-bit prefix; elsewhere the 64-bit launcher from the 64-bit image. One line says which, and why.
#   e2e-win98.sh [gtest options...]
set -uo pipefail
source "$(dirname "$0")/common.sh"
export WINE_WINDOWS_VERSION=win98
tests32=$BUILD_DIR/win32-tests/tests/e2e_tests.exe
if win32_wine_available && [ -f "$tests32" ]; then
    echo "Windows 98: running the shipped 32-bit launcher in a 32-bit prefix"
    export WINEARCH=win32
    export WINE_TEMPLATE_PREFIX=$BUILD_DIR/wineprefix-template-win32
    [ -f "$WINE_TEMPLATE_PREFIX/.template-ready" ] || "$ROOT/scripts/make-prefix.sh" "$WINE_TEMPLATE_PREFIX" >&2 || exit 1
    export DEMO_CD_DIR=$BUILD_DIR/win32/cd
    [ -z "${DEMO_CD_IMAGE:-}" ] || export DEMO_CD_IMAGE=$BUILD_DIR/win32/QUARLOCK2.iso
    exec "$ROOT/scripts/wine-run.sh" "$tests32" "$@"
fi
[ -n "$win32_wine_reason" ] || win32_wine_reason="the 32-bit end-to-end tests are not built ($tests32)"
echo "Windows 98: running the 64-bit launcher, not the shipped 32-bit one: $win32_wine_reason"
exec "$ROOT/scripts/wine-run.sh" "$BUILD_DIR/win64/tests/e2e_tests.exe" "$@"
