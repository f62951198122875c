#!/usr/bin/env bash
# Takes a picture of the desktop program's main window with the bundled example drawing, on a
# virtual X display, for the README.
#   scripts/screenshot.sh [OUTPUT.png] [BUILD_DIR]   (defaults: docs/screenshot.png, build/release)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath -m "${1:-$root/docs/screenshot.png}")
build=${2:-$root/build/release}
program=$build/pathloom/app/pathloom
[ -x "$program" ] || { echo "screenshot.sh: build the desktop program first ($program)" >&2; exit 1; }
mkdir -p "$(dirname "$output")"

# The program keeps its settings beside itself: a private copy starts from the defaults and
# leaves the build's settings alone.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/pathloom"
mkdir -m 700 "$work/runtime"
XDG_RUNTIME_DIR=$work/runtime PATHLOOM_LANG=${PATHLOOM_LANG:-en} \
  xvfb-run --auto-servernum --server-args="-screen 0 1280x800x24" \
  "$work/pathloom" "$root/examples/bracket.dxf" --screenshot "$output"
echo "saved $output"
