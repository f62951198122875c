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
fi
exec wine "$@"
