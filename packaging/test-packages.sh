#!/usr/bin/env bash
# Builds the Debian packages in build/package, checks them with lintian, installs them on this
# machine with apt-get and uses what they installed as a user would (the programs from /usr/bin,
# the C example built with pkg-config, a CMake host, the desktop files and manuals), then purges
# them again, also when a check fails. Runs as root: ./test.sh runs it as one of its stages.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
build=build/package
# Warnings lintian may give, each explained in README ("Installing from the packages").
accepted_warnings=(initial-upload-closes-no-bugs)

fail() {
  echo "packages: $*" >&2
  exit 1
}

[ "$(id -u)" -eq 0 ] || fail "run as root: the packages are installed and purged on this machine"

launchers=()
if command -v ccache >/dev/null; then
  launchers=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
mkdir -p "$build"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPATHLOOM_WERROR=ON \
  -DCMAKE_INSTALL_PREFIX=/usr -DPATHLOOM_PACKAGES=ON -DPATHLOOM_TESTS=OFF -DPATHLOOM_BENCH=OFF \
  "${launchers[@]}" >"$build/configure.log" 2>&1 || { cat "$build/configure.log"; exit 1; }
rm -f "$build"/*.deb
cmake --build "$build" -j "$(nproc)" --target package >"$build/build.log" 2>&1 ||
  { tail -40 "$build/build.log"; exit 1; }
debs=("$build"/*.deb)
names=()
echo "-- packages"
for deb in "${debs[@]}"; do
  names+=("$(dpkg-deb --field "$deb" Package)")
  printf '%-40s %8d bytes, installed %6d KiB\n' "$(basename "$deb")" "$(stat -c %s "$deb")" \
    "$(dpkg-deb --field "$deb" Installed-Size)"
  printf '    Depends: %s\n' "$(dpkg-deb --field "$deb" Depends)"
done
[ "${#debs[@]}" -eq 3 ] || fail "expected 3 packages, got ${#debs[@]}"

echo "-- lintian"
status=0
lintian --fail-on error --display-info "${debs[@]}" >"$build/lintian.log" 2>&1 || status=$?
sed -i '/running with root privileges/d' "$build/lintian.log"
cat "$build/lintian.log"
errors=$(grep -c '^E: ' "$build/lintian.log" || true)
warnings=$(grep -c '^W: ' "$build/lintian.log" || true)
infos=$(grep -c '^I: ' "$build/lintian.log" || true)
echo "lintian: $errors errors, $warnings warnings, $infos infos"
if [ "$errors" -ne 0 ] || [ "$status" -ne 0 ]; then
  fail "lintian reports errors (exit status $status)"
fi
while read -r tag; do
  [[ " ${accepted_warnings[*]} " == *" $tag "* ]] ||
    fail "lintian warning $tag is new: mend it, or explain it in README and accept it here"
done < <(awk '/^W: / {print $3}' "$build/lintian.log" | sort -u)

installed() {
  dpkg-query -W -f='${Status}\n' "$@" 2>/dev/null | grep "install ok installed" >/dev/null
}
purge() {
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -q "${names[@]}" >"$build/purge.log" 2>&1
}
work=$(mktemp -d)
cleanup() {
  for name in "${names[@]}"; do
    if installed "$name"; then
      purge || true
      break
    fi
  done
  rm -rf "$work"
}
trap cleanup EXIT
# Packages left by an earlier run of the same version would not be replaced: purge them first.
for name in "${names[@]}"; do installed "$name" && { purge; break; }; done

echo "-- apt-get install"
DEBIAN_FRONTEND=noninteractive apt-get install -y -q "./$build"/*.deb >"$build/install.log" 2>&1 ||
  { tail -20 "$build/install.log"; fail "apt-get install failed"; }
grep -E "^(Setting up|Processing triggers)" "$build/install.log"

# Everything below runs the installed files only, without LD_LIBRARY_PATH.
unset LD_LIBRARY_PATH
echo "-- the installed programs"
[ "$(command -v pathloom-cli)" = /usr/bin/pathloom-cli ] || fail "pathloom-cli is not /usr/bin's"
pathloom-cli --version
for file in $(dpkg -L "${names[@]}" | grep -E '^/usr/(bin/|lib/.*\.so\.[0-9.]+$)'); do
  if [ ! -f "$file" ] || [ -L "$file" ]; then continue; fi
  if readelf -d "$file" | grep -E 'RPATH|RUNPATH' >/dev/null; then fail "$file carries an RPATH"; fi
  if ldd "$file" | grep "not found" >/dev/null; then fail "$file misses a library"; fi
  if readelf -S "$file" | grep '\.debug_info' >/dev/null; then fail "$file is not stripped"; fi
done
pathloom-cli convert examples/bracket.dxf -o "$work/bracket.bas" 2>/dev/null
echo "examples/bracket.dxf converted by /usr/bin/pathloom-cli, first lines:"
head -6 "$work/bracket.bas"
[ -s "$work/bracket.bas" ] || fail "the converted example is empty"
# The packaged converter writes the reviewed programs byte for byte.
tests/golden/run_golden.sh /usr/bin/pathloom-cli tests/golden || fail "golden programs differ"
echo "golden programs: the same from /usr/bin/pathloom-cli"
# The desktop program starts and shows the drawing, as an ordinary user.
home=$work/home
mkdir -m 755 "$home" && cp examples/bracket.dxf "$home" && chown -R nobody "$home"
(cd "$home" && runuser -u nobody -- env HOME="$home" QT_QPA_PLATFORM=offscreen \
  pathloom --screenshot window.png bracket.dxf) >"$work/window.log" 2>&1 ||
  { cat "$work/window.log"; fail "the desktop program did not start"; }
[ -s "$home/window.png" ] || fail "the desktop program took no screenshot"
echo "/usr/bin/pathloom: shows the example as user nobody"
for program in $(dpkg -L pathloom | grep '^/usr/bin/'); do
  man -w "$(basename "$program")" || fail "no manual for $program"
done

echo "-- the development package"
export PKG_CONFIG_PATH=
read -ra flags < <(pkg-config --cflags --libs lintrel)
cc -std=c11 -Wall -Werror -o "$work/flatten_example" examples/flatten_example.c "${flags[@]}"
"$work/flatten_example" >"$work/flatten_example.txt"
head -3 "$work/flatten_example.txt"
if ! { cmake -S tests/install/consumer -B "$work/consumer" -G Ninja &&
        cmake --build "$work/consumer"; } >"$work/consumer.log" 2>&1; then
  cat "$work/consumer.log"
  fail "the CMake host does not build against liblintrel-dev"
fi
"$work/consumer/lintrel_consumer"

echo "-- desktop integration"
desktop-file-validate /usr/share/applications/pathloom.desktop && echo "desktop-file-validate: clean"
appstreamcli validate --no-net "$(dpkg -L pathloom | grep '^/usr/share/metainfo/.*\.xml$')"
# The kinds the system did not know come from the package's MIME definitions.
# Under pipefail a pipeline into grep -q fails when grep stops reading before the writer is done
# (SIGPIPE), so the checks here let grep read to the end.
have_glob() { cut -d: -f2- /usr/share/mime/globs2 | grep -xF "$1" >/dev/null; }
for glob in 'application/vnd.hp-hpgl:*.plt' 'application/x-tajima-dst:*.dst'; do
  have_glob "$glob" || fail "the MIME database has no $glob"
done
default=$(xdg-mime query default image/vnd.dxf)
echo "xdg-mime query default image/vnd.dxf: $default"
[ "$default" = pathloom.desktop ] || fail "DXF drawings do not open with Pathloom"

echo "-- apt-get purge"
purge || { tail -20 "$build/purge.log"; fail "apt-get purge failed"; }
for name in "${names[@]}"; do
  ! installed "$name" || fail "$name is still installed"
done
[ ! -e /usr/bin/pathloom-cli ] || fail "/usr/bin/pathloom-cli is left after the purge"
echo "packages: ${names[*]} built, checked, installed, used and purged in $((SECONDS - started)) s"
