#!/bin/sh
# Promotes the converter's current output to the golden references after review:
#   scripts/bless-golden.sh [BUILD_DIR]   (default build/release)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/release}
cmake --build "$build" --target pathloom-cli
tests/golden/run_golden.sh "$build/pathloom/pathloom-cli" tests/golden --bless
git status --short tests/golden
