#!/usr/bin/env bash
# Builds the three trees: build/native (logic and unit tests), build/win64 (launcher, demo
# CD and Windows tests) and build/win32 (the shipped launcher and its CD); and, where Wine runs
# 32-bit programs, build/win32-tests with the end-to-end tests for the shipped launcher.
set -euo pipefail
source "$(dirname "$0")/common.sh"
for tool in cmake g++ x86_64-w64-mingw32-g++-posix i686-w64-mingw32-g++-win32 xorriso; do
    command -v $tool >/dev/null || die "$tool is not installed (scripts/install-deps.sh installs it)"
done
jobs=$(nproc)
# A tree whose first configuration failed has a cache but no Makefile: it is configured again.
configure() {
    local tree=$1; shift
    [ -f "$BUILD_DIR/$tree/Makefile" ] || cmake -S "$ROOT" -B "$BUILD_DIR/$tree" "$@" >/dev/null
}
configure native
configure win64 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake"
configure win32 -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=MinSizeRel
for tree in win32 win64 native; do
    echo "== building $tree"
    cmake --build "$BUILD_DIR/$tree" -j "$jobs"
done
if win32_wine_available; then
    configure win32-tests -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686-posix.cmake"
    echo "== building win32-tests"
    cmake --build "$BUILD_DIR/win32-tests" -j "$jobs" --target e2e_tests
fi
