#!/usr/bin/env bash
# Generates a large DXF drawing in a temporary folder and compares the import throughput of
# Lintrel with Debian's libdxflib on it, in one run.
#   bench/compare_dxf.sh [build-dir] [entities] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
entities=${2:-2000000}
rounds=${3:-3}
cmake --build "$build" -j2 --target dxf_generate dxf_compare
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/dxf_generate" "$work/large.dxf" "$entities"
"$build/bench/dxf_compare" "$work/large.dxf" "$rounds"
