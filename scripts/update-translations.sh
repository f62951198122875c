#!/usr/bin/env bash
# Refreshes the desktop program's translation file from its sources with Qt's lupdate: a new text
# joins it unfinished, a text no longer in the sources is marked vanished, every translation stays.
#   scripts/update-translations.sh [file.ts]    (default: pathloom/app/translations/pathloom_en.ts)
# LUPDATE names the lupdate to run (default: Qt 6's, as Debian installs it).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
ts=${1:-$root/pathloom/app/translations/pathloom_en.ts}
lupdate=${LUPDATE:-/usr/lib/qt6/bin/lupdate}
# No source locations in the file: a moved line would otherwise change every entry.
"$lupdate" -locations none "$root/pathloom/app" "$root/pathloom/dialogs" "$root/pathloom/view" \
  -ts "$ts"
