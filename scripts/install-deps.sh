#!/usr/bin/env bash
# Installs the toolchains and tools the build and the tests need, when any is missing.
set -euo pipefail
packages="cmake g++ googletest mingw-w64 wine wine64 xvfb imagemagick fonts-liberation fonts-wine x11-utils xdotool"
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
