#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite twice: an optimised build with
# warnings as errors, then a build under AddressSanitizer and UndefinedBehaviorSanitizer; then
# the 32-bit Windows DLL with the library's tests under Wine, and the fuzzers.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
jobs=$(nproc)
# Every build goes through the compiler cache, so that a second run on the same machine
# recompiles only what changed.
cache=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

echo "== optimised build, warnings as errors =="
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPATHLOOM_WERROR=ON "${cache[@]}"
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"

echo "== Debian packages: built in build/package, lintian, installed with apt-get, used, purged =="
# Before the README stage, whose package commands then find build/package built.
packaging/test-packages.sh

echo "== the tests that read the drawing corpus, with no corpus (as on a fresh clone) =="
# Each must skip with its reason rather than fail; the corpus is taken away for this run only.
no_corpus=$(mktemp -d)
PATHLOOM_CORPUS_DIR=$no_corpus ctest --test-dir build/release -R Corpus -V -j "$jobs" \
  >build/release/no-corpus.log
rmdir "$no_corpus"
grep -E "Skipped|corpus folder" build/release/no-corpus.log | sed 's/^[0-9]*: //'
run=$(grep -cE "Test +#[0-9]+: .*Corpus" build/release/no-corpus.log || true)
skipped=$(grep -cE "Test +#[0-9]+: .*Corpus.*Skipped" build/release/no-corpus.log || true)
if [ "$run" -eq 0 ] || [ "$run" -ne "$skipped" ]; then
  echo "of $run corpus tests only $skipped skipped without the corpus"
  exit 1
fi

echo "== every command line of README.md =="
./scripts/check-readme-commands.sh build/release

echo "== AddressSanitizer + UndefinedBehaviorSanitizer =="
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPATHLOOM_WERROR=ON \
      -DPATHLOOM_SANITIZE=ON -DPATHLOOM_BENCH=OFF "${cache[@]}"
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

echo "== 32-bit Windows DLL (MinGW-w64) and the library's tests under Wine =="
cmake -S . -B build/win32 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/i686-w64-mingw32.cmake \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPATHLOOM_WERROR=ON \
      "${cache[@]}" -DPATHLOOM_VARNIXD="$PWD/build/release/varnix/varnixd"
cmake --build build/win32 -j "$jobs"
ctest --test-dir build/win32 --output-on-failure -j "$jobs"

echo "== fuzzing the readers, tables and images (libFuzzer, AddressSanitizer + UndefinedBehaviorSanitizer) =="
if command -v clang++ >/dev/null; then
  cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_C_COMPILER=clang -DPATHLOOM_TESTS=OFF -DPATHLOOM_BENCH=OFF "${cache[@]}"
  cmake --build build/fuzz -j "$jobs" --target fuzz_dxf fuzz_dst fuzz_plt fuzz_ai fuzz_pdf fuzz_svg fuzz_table fuzz_image fuzz_shx fuzz_text
  corpus=${PATHLOOM_CORPUS_DIR:-}
  for candidate in ../shared/corpus ../../shared/corpus; do
    [ -z "$corpus" ] && [ -f "$candidate/MANIFEST.md" ] && corpus=$candidate
  done
  # Each harness runs a fixed number of inputs from a fixed seed, so that a run here and the CI
  # run on the same sources explore (all but) the same inputs: a finding fails the build that
  # introduced it rather than a later one by chance. The mutations follow the coverage, which
  # the system libraries can sway a little (one feature in ten thousand between two SVG runs).
  # scripts/fuzz-long.sh explores further with fresh seeds.
  seed=20261208
  fuzz() { # reader runs [-option...] [seed folder...]
    local reader=$1 runs=$2
    shift 2
    local scratch="build/fuzz/corpus-$reader"
    mkdir -p "$scratch"
    rm -rf "${scratch:?}"/*
    # libFuzzer writes new inputs into the first folder it is given: the scratch folder comes
    # first, so that the shared corpus and our own seeds only seed the run.
    "build/fuzz/fuzz/fuzz_$reader" -seed=$seed -runs="$runs" -max_len=65536 -rss_limit_mb=2048 \
      -timeout=30 -artifact_prefix=build/fuzz/ "$scratch" "$@"
  }
  # Inputs per harness: about half a minute each on two quiet cores, five minutes in all.
  for run in dxf:7000 dst:200000 plt:9000 ai:4000 pdf:6000 svg:15000 shx:400000 text:50000; do
    reader=${run%%:*}
    options=()
    [ -f "fuzz/$reader.dict" ] && options=("-dict=fuzz/$reader.dict")
    # Fonts and text have no corpus folder; their harnesses start from their own seeds or none.
    seeds=()
    [ -d "$corpus/$reader" ] && seeds+=("$corpus/$reader")
    [ -d "fuzz/seeds/$reader" ] && seeds+=("fuzz/seeds/$reader")
    fuzz "$reader" "${run#*:}" "${options[@]}" "${seeds[@]}"
  done
  # Motion tables and raster images come from other programs; they start from nothing (the image
  # harness with the formats' signatures as a dictionary).
  fuzz table 900000
  fuzz image 60000 -dict=fuzz/image.dict
else
  echo "clang++ not found: fuzzing skipped"
fi

echo "== all tests passed =="
