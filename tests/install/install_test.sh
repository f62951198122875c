#!/usr/bin/env bash
# Installs the build into a fresh prefix, then builds two hosts against the installed tree alone:
# a C program with pkg-config, and a CMake project with find_package(Lintrel). Both must build
# and run. The desktop files and manuals must be there and valid, and every installed file must
# belong to one of the components the Debian packages are made of.
# Usage: install_test.sh <build dir> <this folder> <C compiler> <CMake generator>
set -euo pipefail
build=$1
here=$2
cc=$3
generator=$4
work=$(mktemp -d "${TMPDIR:-/tmp}/pathloom-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >"$work/install.log"
libdir=$(dirname "$(find "$prefix" -name lintrel.pc -print -quit)")/..
for f in "$libdir"/liblintrel.so "$libdir"/liblintrel.so.3 "$libdir"/libvarnix.so \
         "$prefix"/include/lintrel/lintrel.h "$prefix"/include/lintrel/lintrel.hpp \
         "$prefix"/include/varnix/varnix.h "$libdir"/pkgconfig/varnix.pc \
         "$libdir"/cmake/Lintrel/LintrelConfig.cmake \
         "$prefix"/bin/pathloom-cli "$prefix"/bin/varnixd "$prefix"/bin/vxtrace; do
  [ -e "$f" ] || { echo "not installed: $f"; exit 1; }
done
[ "$(readlink "$libdir/liblintrel.so")" = liblintrel.so.3 ] || { echo "bad development link"; exit 1; }
# A file installed outside the three components would be left out of every package.
for component in libraries development programs; do
  cmake --install "$build" --prefix "$work/$component" --component "$component" >/dev/null
  (cd "$work/$component" && find . ! -type d) >>"$work/components.txt"
done
(cd "$prefix" && find . ! -type d) | sort >"$work/all.txt"
sort "$work/components.txt" | uniq -d | sed 's/^/in two components: /' >"$work/doubled.txt"
if [ -s "$work/doubled.txt" ] || ! sort -u "$work/components.txt" | cmp -s - "$work/all.txt"; then
  cat "$work/doubled.txt"
  sort -u "$work/components.txt" | diff "$work/all.txt" - || true
  echo "the components do not split the installed tree"
  exit 1
fi
# Libraries alone in `libraries`; their development links in `development`.
if find "$work/libraries" -name '*.so' -o -name '*.h' -o -name '*.pc' | grep .; then
  echo "development files in the library component"
  exit 1
fi

share=$prefix/share
if [ -x "$build/pathloom/app/pathloom" ]; then
  for f in "$share"/applications/pathloom.desktop "$share"/mime/packages/pathloom.xml \
           "$share"/icons/hicolor/scalable/apps/pathloom.svg "$share"/man/man1/pathloom.1.gz; do
    [ -e "$f" ] || { echo "not installed: $f"; exit 1; }
  done
  metainfo=$(find "$share/metainfo" -name '*.metainfo.xml')
  [ -n "$metainfo" ] || { echo "no AppStream file installed"; exit 1; }
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$share/applications/pathloom.desktop"
  fi
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --pedantic "$metainfo" >"$work/appstream.log" ||
      { cat "$work/appstream.log"; exit 1; }
  fi
  # Every type the desktop file opens is one the system knows or the package defines.
  if [ -f /usr/share/mime/packages/freedesktop.org.xml ]; then
    for type in $(sed -n 's/^MimeType=//p' "$share/applications/pathloom.desktop" | tr ';' ' '); do
      grep -q "type=\"$type\"" "$share/mime/packages/pathloom.xml" \
        /usr/share/mime/packages/*.xml || { echo "no MIME definition of $type"; exit 1; }
    done
  fi
fi
for page in man1/pathloom-cli.1 man1/vxtrace.1 man8/varnixd.8; do
  gzip -t "$share/man/$page.gz" || { echo "manual $page.gz missing or damaged"; exit 1; }
done
if command -v man >/dev/null; then
  for page in "$share"/man/man*/*.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
  done
fi

# The installed programs find the installed libraries by themselves.
"$prefix"/bin/pathloom-cli --help >/dev/null || { echo "pathloom-cli does not start"; exit 1; }

export PKG_CONFIG_PATH=$libdir/pkgconfig
export LD_LIBRARY_PATH=$libdir
# shellcheck disable=SC2046
"$cc" -std=c11 -Wall -Werror -o "$work/c_host" "$here/pkgconfig_host.c" \
  $(pkg-config --cflags --libs lintrel varnix)
"$work/c_host"

cmake -S "$here/consumer" -B "$work/consumer" -G "$generator" -DCMAKE_PREFIX_PATH="$prefix" \
  >"$work/configure.log"
cmake --build "$work/consumer" >"$work/build.log"
"$work/consumer/lintrel_consumer"
echo "installed tree builds and runs both hosts"
