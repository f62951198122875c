#!/usr/bin/env bash
# Installs the build into a fresh prefix, then builds two hosts against the installed tree alone:
# a C program with pkg-config, and a CMake project with find_package(Lintrel). Both must build
# and run. Usage: install_test.sh <build dir> <this folder> <C compiler> <CMake generator>
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
