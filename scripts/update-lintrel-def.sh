#!/usr/bin/env bash
# Writes lintrel/lintrel.def, the export list of the 32-bit Windows DLL, from the functions that
# include/lintrel/lintrel.h declares with LINTREL_API and the standard-call suffixes (@ and the
# bytes of the arguments) that the cross compiler gave them. Run after a change of the header's
# exports, with the folder of a Windows build whose library objects are compiled:
#   cmake --build build/win32 --target lintrel_objects && scripts/update-lintrel-def.sh build/win32
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: $0 WINDOWS_BUILD_DIR}
declared=$(grep -oE '^LINTREL_API[^(]*\b[A-Za-z_][A-Za-z0-9_]*\(' include/lintrel/lintrel.h |
           sed -E 's/.*\b([A-Za-z_][A-Za-z0-9_]*)\($/\1/' | sort -u)
decorated=$(find "$build/lintrel" -name '*.obj' -print0 | xargs -0 i686-w64-mingw32-nm --defined-only |
            awk '$2 == "T" {print $3}' | grep -E '^_[A-Za-z0-9_]+@[0-9]+$' | sed 's/^_//' | sort -u)
{
    echo "; The exports of lintrel.dll: every function of include/lintrel/lintrel.h with its"
    echo "; standard-call suffix, which the link (--kill-at) drops from the exported name."
    echo "; Written by scripts/update-lintrel-def.sh; tests/windows checks it against the header."
    echo "LIBRARY lintrel.dll"
    echo "EXPORTS"
    for name in $declared; do
        line=$(grep -E "^$name@[0-9]+$" <<<"$decorated") || {
            echo "no compiled function for $name" >&2
            exit 1
        }
        echo "    $line"
    done
} >lintrel/lintrel.def.new
mv lintrel/lintrel.def.new lintrel/lintrel.def
echo "lintrel/lintrel.def: $(grep -c '@' lintrel/lintrel.def) exports"
