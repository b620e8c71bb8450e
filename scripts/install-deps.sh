#!/usr/bin/env bash
# Installs the toolchains and tools the build and the tests need, when any is missing.
set -euo pipefail
packages="cmake g++ googletest mingw-w64 wine wine64 xvfb imagemagick fonts-liberation fonts-wine x11-utils xdotool xorriso fuseiso"
missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
if [ -n "$missing" ]; then
    echo "installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q $missing
fi

# 32-bit Wine runs the shipped 32-bit launcher in the Windows 98 tests where the kernel executes
# 32-bit programs at all; elsewhere it could not work and is left out. Debian cannot always
# install it beside the 64-bit Wine: then the tests run the 64-bit launcher and say why.
source "$(dirname "$0")/common.sh"
if kernel_runs_32bit_elf && ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
    echo "installing: wine32:i386"
    export DEBIAN_FRONTEND=noninteractive
    { dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386; } &&
        apt-get update -q && apt-get install -y -q wine32:i386 ||
        echo "wine32:i386 cannot be installed here; the Windows 98 tests will run the 64-bit launcher"
fi
