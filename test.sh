#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite twice: an optimised build with
# warnings as errors, then a build under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
jobs=$(nproc)

echo "== optimised build, warnings as errors =="
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPATHLOOM_WERROR=ON
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer =="
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPATHLOOM_WERROR=ON \
      -DPATHLOOM_SANITIZE=ON -DPATHLOOM_BENCH=OFF
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

echo "== all tests passed =="
