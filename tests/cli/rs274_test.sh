#!/bin/sh
# The golden drawings' LinuxCNC-profile programs through LinuxCNC's stand-alone interpreter: each
# must run without an error. A program it refuses is tried first, so that a silent interpreter
# cannot pass the check. Skipped (77) where rs274 is not installed.
#   rs274_test.sh PATHLOOM_CLI SOURCE_DIR
set -u
cli=$1
source=$2
command -v rs274 >/dev/null 2>&1 || { echo "rs274 is not installed; skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

printf 'G21\r\nG90\r\nG1 X1 Y1\r\nM2\r\n' >"$work/nofeed.ngc"
if rs274 -g "$work/nofeed.ngc" </dev/null >"$work/log" 2>&1; then
    echo "FAIL: rs274 accepted a cut without a feed; it cannot judge the programs"
    exit 1
fi
for drawing in "$source"/tests/golden/inputs/*; do
    name=$(basename "$drawing")
    settings=/dev/null
    if [ -f "$source/tests/golden/settings/$name.ini" ]; then settings="$source/tests/golden/settings/$name.ini"; fi
    if ! "$cli" convert "$drawing" --settings "$settings" --profile linuxcnc -q -o "$work/$name.ngc"; then
        echo "FAIL: $name: the converter failed"
        failures=$((failures + 1))
    elif ! rs274 -g "$work/$name.ngc" </dev/null >"$work/log" 2>&1 || ! grep -q STRAIGHT_FEED "$work/log"; then
        echo "FAIL: $name: rs274 refused the program"
        grep -v '^ *[0-9]* N\.\.\.\.\.' "$work/log" | head -5
        failures=$((failures + 1))
    fi
done
[ "$failures" -eq 0 ] && echo "all LinuxCNC programs pass rs274"
exit $((failures > 0))
