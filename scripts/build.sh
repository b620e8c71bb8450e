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
    # A tree configured with a toolchain file that is gone is made afresh.
    local toolchain
    toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$BUILD_DIR/$tree/CMakeCache.txt" 2>/dev/null || true)
    [ -z "$toolchain" ] || [ -f "$toolchain" ] || rm -rf "$BUILD_DIR/$tree"
    [ -f "$BUILD_DIR/$tree/Makefile" ] || cmake -S "$ROOT" -B "$BUILD_DIR/$tree" "$@" >/dev/null
}
configure native
mingw=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw.cmake")
configure win64 "${mingw[@]}" -DMINGW_PROCESSOR=x86_64 -DMINGW_THREADS=posix
configure win32 "${mingw[@]}" -DMINGW_PROCESSOR=i686 -DMINGW_THREADS=win32 -DCMAKE_BUILD_TYPE=MinSizeRel
for tree in win32 win64 native; do
    echo "== building $tree"
    cmake --build "$BUILD_DIR/$tree" -j "$jobs"
done
if win32_wine_available; then
    configure win32-tests "${mingw[@]}" -DMINGW_PROCESSOR=i686 -DMINGW_THREADS=posix
    echo "== building win32-tests"
    cmake --build "$BUILD_DIR/win32-tests" -j "$jobs" --target e2e_tests
fi
