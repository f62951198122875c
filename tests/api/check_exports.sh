#!/usr/bin/env bash
# Compares the functions a library exports with the functions its public header declares with
# LINTREL_API. Any difference, either way, fails. The library is the shared library (its dynamic
# symbols), the Windows DLL (its export table, whose names must carry no decoration), or the
# module-definition file the DLL is linked with (names without their @ suffix).
set -euo pipefail
library=$1
header=$2
declared=$(grep -oE '^LINTREL_API[^(]*\b[A-Za-z_][A-Za-z0-9_]*\(' "$header" |
           sed -E 's/.*\b([A-Za-z_][A-Za-z0-9_]*)\($/\1/' | sort -u)
case $library in
*.def)
    exported=$(sed -n '/^EXPORTS/,$p' "$library" | grep -vE '^(EXPORTS|;)' |
               sed -E 's/^[[:space:]]+//; s/@[0-9]+$//' | grep -v '^$' | sort -u)
    ;;
*.dll)
    objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
    "$objdump" -f "$library" | grep -q 'file format pei-i386' || {
        echo "$library is no 32-bit x86 DLL"
        exit 1
    }
    exported=$("$objdump" -p "$library" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
               sed -nE 's/^[[:space:]]*\[[[:space:]]*[0-9]+\][[:space:]]+//p' | sort -u)
    ;;
*)
    exported=$(nm -D --defined-only "$library" | awk '$2 ~ /^[TWiV]$/ {print $3}' |
               grep -vE '^(_init|_fini)$' | sort -u)
    ;;
esac
if [ "$declared" != "$exported" ]; then
    echo "declared in $header but not exported:"
    comm -23 <(echo "$declared") <(echo "$exported")
    echo "exported but not declared:"
    comm -13 <(echo "$declared") <(echo "$exported")
    exit 1
fi
echo "$(echo "$exported" | wc -l) exports match the header"
