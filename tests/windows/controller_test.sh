#!/usr/bin/env bash
# Runs a Windows program with the address of a controller simulator (the Linux varnixd, on a
# free loopback port) as its last argument, and stops the simulator afterwards.
# Usage: controller_test.sh VARNIXD COMMAND [ARGUMENTS...]
set -euo pipefail
varnixd=$1
shift
work=$(mktemp -d)
"$varnixd" --port 0 --port-file "$work/port" --store "$work/store" --quiet --no-discovery &
simulator=$!
trap 'kill "$simulator" 2>/dev/null || true; wait "$simulator" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do
    [ -s "$work/port" ] && break
    sleep 0.1
done
[ -s "$work/port" ] || { echo "varnixd did not start"; exit 1; }
read -r port _ <"$work/port"
"$@" "127.0.0.1:$port"
