#!/usr/bin/env bash
# Every text of the desktop program is visible to lupdate and translated: lupdate, run over the
# sources on a copy of the English translation file, finds every entry again (none vanished or
# obsolete) and adds none (none unfinished).
#   translations_test.sh <source dir> <lupdate>
set -euo pipefail

source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
original=$source_dir/pathloom/app/translations/pathloom_en.ts
cp "$original" "$work/pathloom_en.ts"
if ! LUPDATE=$2 "$source_dir/scripts/update-translations.sh" "$work/pathloom_en.ts" \
  >"$work/lupdate.log" 2>&1; then
  cat "$work/lupdate.log"
  exit 1
fi

bad=$(grep -c -E 'type="(vanished|obsolete|unfinished)"' "$work/pathloom_en.ts" || true)
if [ "$bad" -ne 0 ]; then
  echo "$bad entries of the translation file are vanished, obsolete or unfinished:"
  grep -B 3 -E 'type="(vanished|obsolete|unfinished)"' "$work/pathloom_en.ts" |
    sed -n '/<source>/{s/.*<source>//;s/<\/source>.*//;s/^/  /;p}'
  echo "Run scripts/update-translations.sh, translate the new texts and look at what vanished."
  exit 1
fi

# A run that found nothing would leave nothing to complain about.
found=$(sed -n 's/.*Found \([0-9]*\) source text.*/\1/p' "$work/lupdate.log")
entries=$(grep -c '<message>' "$original")
if [ "${found:-0}" -ne "$entries" ]; then
  echo "lupdate found ${found:-no} texts in the sources; the translation file holds $entries"
  exit 1
fi
echo "$entries texts, all found and translated"
