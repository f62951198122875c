#!/bin/sh
# Converts every drawing in the golden folder with pathloom-cli, in both program languages and in
# every G-code output profile besides the default form, and compares the programs with the
# reviewed references beside them. With --bless the references
# are replaced by the new output instead (review the diff before committing it). A drawing with a
# settings file settings/NAME.ini is converted with those settings (the rest are the defaults).
#   run_golden.sh CLI GOLDEN_DIR [--bless]
set -eu
cli=$1
dir=$2
bless=${3:-}
status=0
for drawing in "$dir"/inputs/*; do
    name=$(basename "$drawing")
    for language in basic gcode linuxcnc grbl-laser grbl-spindle mach marlin; do
        case $language in
        basic | gcode) form="--language $language" ;;
        *) form="--profile $language" ;;
        esac
        expected="$dir/expected/$name.$language.txt"
        actual=$(mktemp)
        # The references are made with the built-in defaults, never the user's settings file.
        settings=/dev/null
        if [ -f "$dir/settings/$name.ini" ]; then settings="$dir/settings/$name.ini"; fi
        if ! "$cli" convert "$drawing" --settings "$settings" $form -o "$actual" 2>/dev/null; then
            echo "FAIL $name ($language): the converter failed"
            status=1
        elif [ "$bless" = "--bless" ]; then
            mkdir -p "$dir/expected"
            cp "$actual" "$expected"
            echo "blessed $name ($language)"
        elif ! cmp -s "$actual" "$expected"; then
            echo "FAIL $name ($language): differs from $expected"
            diff "$expected" "$actual" | head -20 || true
            status=1
        fi
        rm -f "$actual"
    done
done
exit $status
