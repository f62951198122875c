#!/bin/sh
# What an operator sees from pathloom-cli: exit codes, messages naming the file, programs on
# standard output and in files, settings overrides, and downloads to a controller simulator.
#   cli_test.sh PATHLOOM_CLI VARNIXD SOURCE_DIR
set -u
cli=$1
varnixd=$2
source=$3
work=$(mktemp -d)
trap 'kill $daemon 2>/dev/null; rm -rf "$work"' EXIT
daemon=
failures=0
drawing="$source/examples/bracket.dxf"

check() {  # check DESCRIPTION COMMAND...: the command must succeed
    description=$1
    shift
    if ! "$@"; then
        echo "FAIL: $description"
        failures=$((failures + 1))
    fi
}
# run EXPECTED_EXIT ARGS...: runs the converter with the defaults, keeping stdout and stderr
run() {
    expected=$1
    shift
    "$cli" "$@" >"$work/out" 2>"$work/err"
    status=$?
    if [ "$status" -ne "$expected" ]; then
        echo "FAIL: pathloom-cli $* exited $status, expected $expected"
        sed 's/^/    /' "$work/err" | head -5
        failures=$((failures + 1))
    fi
}
# start_simulator OPTIONS...: varnixd on a free loopback port, written to $work/port
start_simulator() {
    : >"$work/port"
    "$varnixd" --port 0 --port-file "$work/port" --store "$work/store" --quiet --no-discovery "$@" &
    daemon=$!
    for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27 28 29 30; do
        [ -s "$work/port" ] && break
        sleep 0.1
    done
}
stop_simulator() {
    kill $daemon
    wait $daemon 2>/dev/null
    daemon=
}
says() { grep -q -- "$1" "$work/err"; }
prints() { grep -q -- "$1" "$work/out"; }

run 0 --help
check "help documents the exit codes" prints "Exit codes"
run 2 convert "$drawing" --bogus
check "an unknown option is named" says "unknown option '--bogus'"
run 2 convert
check "a missing drawing argument is reported" says "no drawing given"
run 2 convert "$drawing" --settings /dev/null --set "No such key=1"
check "an unknown setting is named" says "unknown setting 'No such key'"
run 3 convert "$drawing" --settings "$work/missing.ini"
check "a missing settings file is named" says "missing.ini"

run 1 convert "$work/absent.dxf" --settings /dev/null
check "a missing drawing is named" says "cannot read drawing '$work/absent.dxf'"
printf 'this is not a drawing\n' >"$work/garbage.dxf"
run 1 convert "$work/garbage.dxf" --settings /dev/null
check "an unreadable drawing is named" says "garbage.dxf"

# The program: standard output and a file hold the same bytes, lines end in CR LF.
run 0 convert "$drawing" --settings /dev/null --language basic -q
cp "$work/out" "$work/stdout.bas"
check "quiet runs print no status" test ! -s "$work/err"
PATHLOOM_LANG=zh run 0 convert "$drawing" --settings /dev/null --language basic -o "$work/file.bas"
check "the file holds the program of standard output" cmp -s "$work/stdout.bas" "$work/file.bas"
check "status texts go to standard error" says "正在自动排序"
# The status texts follow the locale; PATHLOOM_LANG overrides it.
LC_ALL=zh_CN.UTF-8 PATHLOOM_LANG= run 0 convert "$drawing" --settings /dev/null -o "$work/file.bas"
check "a Chinese locale gives Chinese status texts" says "正在自动排序"
LC_ALL=de_DE.UTF-8 PATHLOOM_LANG= run 0 convert "$drawing" --settings /dev/null -o "$work/file.bas"
check "any other locale gives English status texts" says "Sorting..."
LC_ALL=zh_CN.UTF-8 PATHLOOM_LANG=en run 0 convert "$drawing" --settings /dev/null -o "$work/file.bas"
check "PATHLOOM_LANG=en overrides the locale" says "Sorting..."
check "the Basic program selects its axes first" sh -c "head -1 '$work/file.bas' | grep -q '^BASE(0, 1)'"
check "every line ends in CR LF" sh -c "! grep -qv \"\$(printf '\\r')\$\" '$work/file.bas'"
run 0 convert "$drawing" --settings /dev/null --language gcode -q
check "the G-code program differs" sh -c "! cmp -s '$work/out' '$work/stdout.bas'"
check "the G-code program moves with G01" prints "^G01 X"

# Overrides reach the program.
run 0 convert "$drawing" --settings /dev/null --language basic --set "Speed1=150" --set "empty SPEED=400" -q
check "--set changes the preset speed" prints "MOVE_PARA(SPEED, 0, 150.0000)"
check "--set matches keys without regard to case" prints "MOVE_PARA(SPEED, 0, 400.0000)"
# A value its setting does not allow ends the run before anything is written.
export PATHLOOM_LANG=en
for bad in "Speed1=abc" "Speed1=-5" "Sort by=12" "Empty speed=0" "X-axis num=77" \
    "Remove minimal graphic width=1e300"; do
    run 2 convert "$drawing" --settings /dev/null --set "$bad" -o "$work/refused.nc"
    check "--set $bad names the key and the value" says "${bad%%=*}: ${bad#*=} is not "
    check "--set $bad writes no program" test ! -e "$work/refused.nc"
done
run 2 convert "$drawing" --settings /dev/null --set "Speed1=-5"
check "a refused speed says what a speed is" \
    says "^pathloom-cli: Speed1: -5 is not a speed; a speed is a number above 0 in mm/s$"
run 2 convert "$drawing" --settings /dev/null --set "Sort by=12"
check "a refused sort lists the sorts" says "a sort order is 0 (grid sort), 1 to 7"
# The same values in the settings file are warnings; their defaults make a sound program.
printf '[Auto optimize]\r\nSort by=12\r\n[Process parameters]\r\nSpeed1=-5\r\nX-axis num=77\r\nEmpty speed=abc\r\nSpeed2=150\r\n' >"$work/bad.ini"
run 0 convert "$drawing" --settings "$work/bad.ini" --language basic -q
check "each bad value of the file is named once" \
    sh -c "[ \$(grep -c 'warning: .*bad.ini: ' '$work/err') -eq 4 ]"
check "the warning says which default is used" \
    says "bad.ini: Speed1: -5 is not a speed; a speed is a number above 0 in mm/s; the default 200 is used"
check "the program runs at the default speeds" prints "MOVE_PARA(SPEED, 0, 200.0000)"
check "the program travels at the default speed" prints "MOVE_PARA(SPEED, 0, 500.0000)"
check "the program uses the default axes" prints "^BASE(0, 1)"
check "no speed line states a speed of 0 or below" sh -c "! grep -q 'SPEED, [0-9]*, \(-\|0\.0000\)' '$work/out'"
unset PATHLOOM_LANG

# A program that cannot be written leaves what was there.
mkdir "$work/folder"
run 3 convert "$drawing" --settings /dev/null -o "$work/folder"
check "an unwritable output is named" says "cannot write '$work/folder'"
check "no temporary file is left behind" sh -c "[ \$(ls '$work' | grep -c 'folder\\.') -eq 0 ]"

run 0 info "$drawing" --settings /dev/null
check "info counts the groups" prints "^groups: *4"
check "info reports the travel saved" prints "after optimisation"
check "info of a sound drawing lists no diagnostics" prints "^diagnostics: *none"
check "info with the default sort makes no comparison" sh -c "! grep -q 'against the default order' '$work/out'"
run 0 info "$drawing" --settings /dev/null --set "Sort by=8"
check "info with another sort compares the job time with the default order" \
    prints "^against the default order (sort by 1): .* \(saved\|longer\)$"
check "info names the program's language" prints "^program: *Basic$"

# Cutting options: what could not be done is counted; nothing is said while they are off.
check "info says nothing of cutting while it is off" sh -c "! grep -q '^cutting:' '$work/out'"
plate="$source/tests/golden/inputs/cut-plate.dxf"
run 0 info "$plate" --settings /dev/null --set "Kerf width1=0.4" --set "Kerf side1=1" \
    --set "Lead type1=1" --set "Lead length1=30"
check "info counts the open shape left unoffset and the leads without room" \
    prints "^cutting: *1 shapes left unoffset, [1-9][0-9]* leads dropped"
run 0 preview "$plate" --settings /dev/null -q -o "$work/cut.svg" --set "Kerf width1=0.4" \
    --set "Kerf side1=1" --set "Lead type1=1"
check "preview says what was left undone" grep -q "^cutting: *1 shapes left unoffset" "$work/err"
check "preview draws the offset paths in their own pen" grep -q 'stroke="#00beff"' "$work/cut.svg"
run 0 preview "$plate" --settings /dev/null -q -o "$work/depth.svg" --set "Show depth=1"
check "preview tints the plate, its holes and the part in a hole by depth" sh -c \
    "grep -q 'fill=\"#182448\" points' '$work/depth.svg' && grep -q 'fill=\"#163c22\" points' '$work/depth.svg' && grep -q 'fill=\"#4a2616\" points' '$work/depth.svg'"
check "preview leaves the tint out unless asked" sh -c "! grep -q '<polygon' '$work/cut.svg'"
# Output profiles: by name on the command line, or by number through the setting.
run 0 info "$drawing" --settings /dev/null --profile grbl-laser
check "info names the profile" prints "^program: *G-code, profile grbl-laser$"
run 0 convert "$drawing" --settings /dev/null --profile grbl-laser
check "a profile implies G-code and switches the laser" prints "^M4 S1000"
run 0 convert "$drawing" --settings /dev/null --profile marlin --language basic
check "an explicit language wins over the profile's" sh -c "! grep -q '^M106' '$work/out'"
run 0 convert "$drawing" --settings /dev/null --language gcode --set "Output profile=5" --set "Laser power1=50"
check "the setting chooses the profile and the power" prints "^M106 S128"
run 2 convert "$drawing" --settings /dev/null --profile grbl
check "an unknown profile is refused with the names" says "unknown profile 'grbl' (use default, linuxcnc"
run 2 convert "$drawing" --settings /dev/null --set "Laser power1=101"
check "a power above 100 % is refused" says "Laser power1: 101"

# A damaged drawing still converts; info names what the reader had to repair.
{
    printf '0\nSECTION\n2\nENTITIES\n0\nLINE\n8\n0\n10\nabc\n20\n1e999\n11\n5\n21\n5\n'
    printf '0\nLWPOLYLINE\n8\n0\n90\n5\n70\n0\n10\n0\n20\n9\n10\n9\n20\n9\n'
    printf '0\nLINE\n8\n0\n10\n1\n'
} >"$work/damaged.dxf"
run 0 info "$work/damaged.dxf" --settings /dev/null
check "info names the malformed numbers" prints "^ *103 *x2 .*malformed"
check "info names a vertex count that group 90 misstates" prints "^ *104 *x1 .*group 90"
check "info names a file cut off inside a section" prints "^ *100 *x1 .*cut off"

run 0 preview "$drawing" --settings /dev/null -q -o "$work/preview.svg" --set "Show abs=1"
check "preview writes an SVG picture" grep -q "^<svg " "$work/preview.svg"
check "preview marks the travel moves dashed" grep -q 'stroke-dasharray="2 2" points=' "$work/preview.svg"
run 0 preview "$drawing" --settings /dev/null -q --set "Show order=1"
check "preview numbers the shapes when the setting asks" prints ">1</text>"

# Downloads go to the controller simulator on loopback.
mkdir "$work/store"
start_simulator
port=$(cut -d' ' -f1 "$work/port")
run 0 convert "$drawing" --settings /dev/null --language basic -o "$work/sent.bas" \
    --download "127.0.0.1:$port" --name JOB.bas
check "the controller stores the program under its name" cmp -s "$work/sent.bas" "$work/store/JOB.bas"
stop_simulator
start_simulator --refuse-downloads 4242
refusing=$(cut -d' ' -f1 "$work/port")
run 5 convert "$drawing" --settings /dev/null -q --download "127.0.0.1:$refusing" --name REFUSED.bas
check "a refused download reports the controller's code" says "refused the download of 'REFUSED.bas' (code 4242)"
check "a refused download stores nothing" test ! -e "$work/store/REFUSED.bas"
stop_simulator
run 5 convert "$drawing" --settings /dev/null --download "127.0.0.1:$port" -q
check "a refused connection names the address" says "127.0.0.1:$port"

# A drawing whose fonts are nowhere (the system's font folders hidden from fontconfig, no fonts
# folder where the converter runs) still imports; each missing font is named once.
{
    printf '0\nSECTION\n2\nTABLES\n0\nTABLE\n2\nSTYLE\n70\n2\n'
    printf '0\nSTYLE\n2\nA\n3\narial.ttf\n0\nSTYLE\n2\nB\n3\nromans.shx\n0\nENDTAB\n0\nENDSEC\n'
    printf '0\nSECTION\n2\nENTITIES\n'
    for style in A B A B; do
        printf '0\nTEXT\n8\n0\n10\n0\n20\n0\n40\n5\n1\nHello\n7\n%s\n' "$style"
    done
    printf '0\nLINE\n8\n0\n10\n0\n20\n0\n11\n50\n21\n0\n0\nENDSEC\n0\nEOF\n'
} >"$work/nofonts.dxf"
printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >"$work/fonts.conf"
here=$(pwd)
cd "$work" || exit 1
export FONTCONFIG_FILE="$work/fonts.conf"
run 0 info "$work/nofonts.dxf" --settings /dev/null
unset FONTCONFIG_FILE
cd "$here" || exit 1
check "missing fonts are named once each" \
    prints "402  x2      fonts not found, texts left without outlines: arial.ttf, romans.shx"

# Pages of a PDF: --page chooses one; a page the drawing does not have is refused with its count.
{
    printf '%%PDF-1.4\n1 0 obj\n<</Type/Catalog/Pages 2 0 R>>\nendobj\n'
    printf '2 0 obj\n<</Type/Pages/Kids[3 0 R 4 0 R 5 0 R]/Count 3/MediaBox[0 0 200 200]>>\nendobj\n'
    printf '3 0 obj\n<</Type/Page/Parent 2 0 R/Contents 6 0 R>>\nendobj\n'
    printf '4 0 obj\n<</Type/Page/Parent 2 0 R/Contents 7 0 R>>\nendobj\n'
    printf '5 0 obj\n<</Type/Page/Parent 2 0 R/Contents 8 0 R>>\nendobj\n'
    printf '6 0 obj\n<</Length 14>>\nstream\n0 0 m 72 0 l S\nendstream\nendobj\n'
    printf '7 0 obj\n<</Length 15>>\nstream\n0 0 m 0 144 l S\nendstream\nendobj\n'
    printf '8 0 obj\n<</Length 15>>\nstream\n0 0 m 36 36 l S\nendstream\nendobj\n'
    printf 'trailer\n<</Root 1 0 R>>\n%%%%EOF\n'
} >"$work/pages.pdf"
run 0 info "$work/pages.pdf" --settings /dev/null
check "info names the page read and the page count" prints "^page: *1 of 3$"
check "the first page is read by default" prints "^extent: .*(25.4000 by 0.0000)"
run 0 info "$work/pages.pdf" --settings /dev/null --page 2
check "--page reads the page it names" prints "^extent: .*(0.0000 by 50.8000)"
check "info names the chosen page" prints "^page: *2 of 3$"
run 1 info "$work/pages.pdf" --settings /dev/null --page 4
check "a page beyond the last is refused with the page count" \
    says "page 4 of '.*pages.pdf' is out of range: the drawing has 3 pages"
run 2 info "$work/pages.pdf" --page 0
check "a page number below 1 is a usage error" says "--page needs a page number from 1"
run 2 info "$work/pages.pdf" --page 2x
check "a page that is no number is a usage error" says "got '2x'"
run 0 convert "$drawing" --settings /dev/null --page 1
check "the first page of a drawing without pages is the drawing" prints "^MOVEABS"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all converter checks passed"
