#!/usr/bin/env bash
# Exploratory fuzzing: runs the given harnesses (all when none are named) for a while each, from
# fresh random seeds, keeping what they find in build/fuzz/explore-<reader>. The fuzz stage of
# ./test.sh replays a fixed seed; this is how new findings are looked for between releases.
# Usage: scripts/fuzz-long.sh [-t seconds-per-harness] [reader...]
# Findings land as build/fuzz/crash-* (or leak-*, timeout-*); a finding's input belongs in
# fuzz/seeds/<reader>/ once its fault is mended, so that the fixed run replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=300
if [ "${1:-}" = "-t" ]; then
  seconds=$2
  shift 2
fi
readers=("$@")
[ ${#readers[@]} -eq 0 ] && readers=(dxf dst plt ai pdf svg shx text table image)
if [ ! -d build/fuzz ]; then
  cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_C_COMPILER=clang -DPATHLOOM_TESTS=OFF -DPATHLOOM_BENCH=OFF \
        -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
cmake --build build/fuzz -j "$(nproc)" --target "${readers[@]/#/fuzz_}"
corpus=${PATHLOOM_CORPUS_DIR:-../shared/corpus}
for reader in "${readers[@]}"; do
  mkdir -p "build/fuzz/explore-$reader"
  options=()
  [ -f "fuzz/$reader.dict" ] && options+=("-dict=fuzz/$reader.dict")
  seeds=()
  [ -d "$corpus/$reader" ] && seeds+=("$corpus/$reader")
  [ -d "fuzz/seeds/$reader" ] && seeds+=("fuzz/seeds/$reader")
  echo "== $reader: $seconds s =="
  "build/fuzz/fuzz/fuzz_$reader" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
    -timeout=30 -artifact_prefix=build/fuzz/ "${options[@]}" "build/fuzz/explore-$reader" \
    "${seeds[@]}" || echo "== $reader: finding above =="
done
