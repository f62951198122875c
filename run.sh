#!/usr/bin/env bash
# Installs what is missing, builds, and runs the example: a small drawing built with the
# library, flattened and listed with its range.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release --target lintrel-example >/dev/null
./build/release/examples/lintrel-example "$@"
