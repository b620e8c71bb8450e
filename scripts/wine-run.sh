#!/usr/bin/env bash
# Runs one Windows program under Wine in a fresh copy of the template prefix, with the
# demo CD as CD-ROM drive D:, and removes the copy afterwards.
set -uo pipefail
source "$(dirname "$0")/common.sh"
[ -f "$WINE_TEMPLATE_PREFIX/.template-ready" ] || "$ROOT/scripts/make-prefix.sh" >&2
export WINEPREFIX=$(mktemp -d /tmp/launcher-wine.XXXXXX)
cp -a "$WINE_TEMPLATE_PREFIX/." "$WINEPREFIX/"
ln -sfn "$DEMO_CD_DIR" "$WINEPREFIX/dosdevices/d:"
cleanup() {
    wineserver -k >/dev/null 2>&1
    rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
wineserver -p
# The first process starts Wine's helpers, which keep its output open: send theirs elsewhere.
wine cmd /c exit >/dev/null 2>&1 </dev/null
program=$1; shift
wine "$program" "$@"
