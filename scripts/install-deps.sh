#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, when any is missing, and tries
# 32-bit Wine once per machine where the kernel could run it.
set -euo pipefail
source "$(dirname "$0")/common.sh"
# The README lists the same packages under "The two commands" (tests/check-bare-start.sh
# compares the two lists).
packages="cmake g++ googletest mingw-w64 wine wine64 xvfb imagemagick fonts-liberation fonts-wine x11-utils xdotool xorriso fuseiso python3-minimal git"

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}
can_install() { [ "$EUID" -eq 0 ] || command -v sudo >/dev/null; }
# A package tool run as root: directly, or through sudo for another user.
as_root() {
    can_install || die "installing packages needs root: run this as root, or install sudo"
    if [ "$EUID" -eq 0 ]; then
        env DEBIAN_FRONTEND=noninteractive "$@"
    else
        sudo env DEBIAN_FRONTEND=noninteractive "$@"
    fi
}

missing=""
for package in $packages; do
    installed "$package" || missing="$missing $package"
done
if [ -n "$missing" ]; then
    echo "installing:$missing"
    as_root apt-get update -q || die "apt-get update failed (status $?): the package lists could not be fetched"
    as_root apt-get install -y -q $missing || die "apt-get install failed (status $?):$missing could not be installed"
fi

# 32-bit Wine runs the shipped 32-bit launcher in the Windows 98 tests where the kernel executes
# 32-bit programs at all; elsewhere it could not work and is left out. Debian cannot always
# install it beside the 64-bit Wine: then the tests run the 64-bit launcher and say why. The
# attempt costs a package-list update, so a failure is remembered for later runs.
if ! kernel_runs_32bit_elf || installed wine32:i386; then exit 0; fi
if [ -f "$WINE32_MEMO" ]; then
    echo "wine32:i386 is not tried again: it could not be installed before ($(head -n 1 "$WINE32_MEMO")); delete $WINE32_MEMO to try again"
    exit 0
fi
if ! can_install; then
    echo "wine32:i386 is not installed, and installing it needs root; the Windows 98 tests will run the 64-bit launcher"
    exit 0
fi
echo "installing: wine32:i386"
errors=$(mktemp) || die "cannot make a temporary file"
added_i386=""
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386 2>>"$errors" && added_i386=1
fi
if [ -n "$added_i386" ] || dpkg --print-foreign-architectures | grep -qx i386; then
    as_root apt-get update -q 2>>"$errors" && as_root apt-get install -y -q wine32:i386 2>>"$errors" && { rm -f "$errors"; exit 0; }
fi
cat "$errors" >&2
reason=$(grep -E '^(E|dpkg): ' "$errors" | tail -n 1 || true)
rm -f "$errors"
# An architecture that brought nothing would slow every later package-list update.
[ -z "$added_i386" ] || as_root dpkg --remove-architecture i386 2>/dev/null || true
if mkdir -p "$(dirname "$WINE32_MEMO")" && echo "tried $(date -u +%F): ${reason:-apt-get failed}" >"$WINE32_MEMO"; then
    echo "wine32:i386 cannot be installed here; the Windows 98 tests will run the 64-bit launcher (remembered in $WINE32_MEMO)"
else
    echo "wine32:i386 cannot be installed here; the Windows 98 tests will run the 64-bit launcher (and $WINE32_MEMO could not be written)"
fi
