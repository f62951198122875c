#!/usr/bin/env bash
# Runs a Windows program of the 32-bit build under Wine: a private Wine prefix in the build
# folder (made on first use), no Wine diagnostics, no display needed for console programs.
# Usage: wine-run.sh PREFIX_DIR PROGRAM.exe [ARGUMENTS...]
set -euo pipefail
prefix=$1
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEARCH=win32 DISPLAY=
# No Mono or Gecko: console programs need neither, and their installers would ask.
export WINEDLLOVERRIDES="mscoree=;mshtml="
if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    wineboot --init >/dev/null 2>&1 || true
    wineserver --wait || true
    # A fresh prefix's font folder is empty; one TrueType file lets the font lookup find it there.
    fonts="$prefix/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    cp /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf "$fonts/" 2>/dev/null || true
fi
# Each program's Wine server leaves a few seconds after its last client; a test starting just
# then meets it on its way out ("wine client error: ... Connection reset by peer") before the
# program runs at all. Such a start is tried again.
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
for attempt in 1 2 3; do
    status=0
    wine "$@" 2>"$errors" || status=$?
    cat "$errors" >&2
    if [ "$status" -eq 0 ] || ! grep -q "^wine client error" "$errors"; then
        exit "$status"
    fi
    sleep 1
done
exit "$status"
