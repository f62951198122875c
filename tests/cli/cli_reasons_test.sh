#!/bin/sh
# What the converter says when a drawing gives nothing: the reason in words and the reader's
# notes (exit code 1), and zero travel with the step that emptied a drawing the clean-up removed.
#   cli_reasons_test.sh PATHLOOM_CLI SOURCE_DIR CORPUS_DIR
set -u
cli=$1
source=$2
corpus=${PATHLOOM_CORPUS_DIR:-$3}  # the environment may take the corpus away
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
export PATHLOOM_LANG=en

fail() {
    echo "FAIL: $*"
    sed 's/^/    /' "$work/out" "$work/err" | head -8
    failures=$((failures + 1))
}
# run EXPECTED_EXIT COMMAND DRAWING: the converter with the defaults, keeping stdout and stderr
run() {
    "$cli" "$2" "$3" --settings /dev/null -q >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" -eq "$1" ] || fail "pathloom-cli $2 $3 exited $status, expected $1"
}
# nothing DRAWING REASON [NOTE]: info and convert both exit 1 naming the drawing and the reason,
# and list the reader's note when one is given
nothing() {
    for command in info convert; do
        run 1 "$command" "$1"
        grep -q -F -- "cannot read drawing '$1': $2" "$work/err" ||
            fail "$command $1 does not say \"$2\""
        if [ $# -gt 2 ]; then
            grep -q -E -- "^ +$3 +x[0-9]" "$work/err" || fail "$command $1 does not list note $3"
        fi
    done
}

head -c 300 "$source/examples/bracket.dxf" >"$work/cut-off.dxf"
: >"$work/empty.dxf"
printf '\211PNG\r\n\032\n' >"$work/picture.png"
printf '0\nSECTION\n2\nENTITIES\n0\nHATCH\n8\n0\n0\nENDSEC\n0\nEOF\n' >"$work/hatch.dxf"
printf '0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n' >"$work/blank.dxf"
printf '0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\n0\n20\n0\n11\n0.2\n21\n0\n0\nENDSEC\n0\nEOF\n' \
    >"$work/speck.dxf"

nothing "$work/cut-off.dxf" "the file is damaged (cut off) or is not in the DXF format" 102
nothing "$work/empty.dxf" "the file is empty" 3
nothing "$work/picture.png" "it is not a kind of drawing this program reads" 2
nothing "$work/absent.dxf" "the file does not exist"
nothing "$work/hatch.dxf" "it holds only kinds of shape that are not converted: HATCH" 106
nothing "$work/blank.dxf" "there are no shapes in it"
grep -q "not a DXF, DST, PLT or AI drawing" "$work/err" && fail "the old catch-all text is still printed"

# A drawing the clean-up empties has no travel, and the step that removed it is named.
run 0 info "$work/speck.dxf"
grep -q "^tool-up travel: 0.0000 (nothing is left to cut)" "$work/out" || fail "no zero travel"
grep -q '"remove tiny shapes" removed every shape' "$work/out" || fail "the emptying step is not named"
grep -q "% less" "$work/out" && fail "a travel saving is reported for no shapes"
run 1 convert "$work/speck.dxf"
grep -q '"remove tiny shapes" removed every shape' "$work/err" || fail "convert does not name the step"

if [ -d "$corpus/dxf" ] && [ -d "$corpus/ai" ] && [ -d "$corpus/dst" ]; then
    nothing "$corpus/dxf/ezdxf__clockwise_arcs_hatch.dxf" \
        "it holds only kinds of shape that are not converted: HATCH" 106
    # This template's artwork holds no path at all; the next one's data is Zstandard-compressed,
    # which this build reads.
    nothing "$corpus/ai/maki__maki-12-base.ai" "there are no shapes in it" 307
    run 0 info "$corpus/ai/maki__maki-template.ai"
    grep -q "^vects: *[1-9]" "$work/out" || fail "maki__maki-template.ai: no shapes read"
    grep -q " 306 " "$work/out" && fail "maki__maki-template.ai: its Zstandard data is refused"
    run 0 info "$corpus/dst/catty__stitch.dst"
    grep -q "^tool-up travel: 0.0000 (nothing is left to cut)" "$work/out" ||
        fail "catty__stitch.dst: no zero travel"
    grep -q '"remove tiny shapes" removed every shape' "$work/out" ||
        fail "catty__stitch.dst: the emptying step is not named"
else
    echo "skipped: the corpus drawings (no corpus at '$corpus')"
fi

[ "$failures" -eq 0 ] && echo "all converter reason checks passed"
exit $((failures != 0))
