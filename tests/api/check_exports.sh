#!/usr/bin/env bash
# Compares the dynamic symbols a shared library defines with the functions its public header
# declares with LINTREL_API. Any difference, either way, fails.
set -euo pipefail
library=$1
header=$2
declared=$(grep -oE '^LINTREL_API[^(]*\b[A-Za-z_][A-Za-z0-9_]*\(' "$header" |
           sed -E 's/.*\b([A-Za-z_][A-Za-z0-9_]*)\($/\1/' | sort -u)
exported=$(nm -D --defined-only "$library" | awk '$2 ~ /^[TWiV]$/ {print $3}' |
           grep -vE '^(_init|_fini)$' | sort -u)
if [ "$declared" != "$exported" ]; then
    echo "declared in $header but not exported:"
    comm -23 <(echo "$declared") <(echo "$exported")
    echo "exported but not declared:"
    comm -13 <(echo "$declared") <(echo "$exported")
    exit 1
fi
echo "$(echo "$exported" | wc -l) exports match the header"
