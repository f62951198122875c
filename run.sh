#!/usr/bin/env bash
# Installs what is missing, builds, and converts a drawing into a machine program with the
# built-in settings: the bundled example drawing, or the file given as the first argument.
#   ./run.sh [DRAWING] [pathloom-cli convert options...]
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release --target pathloom-cli >/dev/null
drawing=examples/bracket.dxf
if [ $# -gt 0 ]; then
    drawing=$1
    shift
fi
# The summary takes the options that change what is made; where the program goes (-o, a
# download) is the conversion's alone.
convert_options=("$@")
info_options=()
while [ $# -gt 0 ]; do
    case $1 in
        -o | --output | --download | --name) shift; if [ $# -gt 0 ]; then shift; fi ;;
        *) info_options+=("$1"); shift ;;
    esac
done
./build/release/pathloom/pathloom-cli info "$drawing" --settings /dev/null -q "${info_options[@]}"
echo
./build/release/pathloom/pathloom-cli convert "$drawing" --settings /dev/null "${convert_options[@]}"
