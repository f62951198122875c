#!/bin/sh
# Promotes the converter's current output and the canvas's current pictures to the golden
# references after review:
#   scripts/bless-golden.sh [BUILD_DIR]   (default build/release)
set -eu
cd "$(dirname "$0")/.."
build=${1:-build/release}
cmake --build "$build" --target pathloom-cli
tests/golden/run_golden.sh "$build/pathloom/pathloom-cli" tests/golden --bless
if cmake --build "$build" --target test_app 2>/dev/null; then
    PATHLOOM_BLESS=1 QT_QPA_PLATFORM=offscreen "$build/tests/test_app" --gtest_filter='Golden/CanvasGolden.*'
fi
git status --short tests/golden
