#!/usr/bin/env bash
# Runs every command line of README.md's sh blocks as written, from the repository's root, so
# that the README never shows a command that fails. A few lines are not run here, each for the
# reason printed beside it. The drawing "my-part.dxf" that the examples name is a copy of the
# bundled example; every file the commands write goes to a scratch folder or is removed again.
#   scripts/check-readme-commands.sh BUILD_DIR     (BUILD_DIR: the built tree the README names)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}

scratch=$(mktemp -d)
made=(my-part.dxf my-part.nc my-part.svg my-part-depth.svg path.svg KORVEL.nc)
for f in "${made[@]}"; do
  if [ -e "$f" ]; then
    echo "check-readme-commands: $f exists in the checkout; move it away first" >&2
    exit 2
  fi
done
server=
cleanup() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  for f in "${made[@]}"; do rm -f "$f"; done
  rm -rf "$scratch"
}
trap cleanup EXIT
cp examples/bracket.dxf my-part.dxf
export HOME=$scratch DESTDIR=$scratch/install

# Why a line is not run here, or nothing when it is.
skip_reason() {
  case "$1" in
    ./test.sh*) echo "this check is one of its stages" ;;
    ctest*) echo "the test stages run the same suites" ;;
    *build/win32*) echo "the Windows stage of ./test.sh runs it" ;;
    *"$build"/varnix/varnixd*) echo "started first, as the server of the download example" ;;
  esac
}

mapfile -t lines < <(awk '/^```sh/{inside=1; next} /^```/{inside=0} inside' README.md |
                     sed -e 's/[[:space:]]*#.*$//' -e '/^[[:space:]]*$/d')

# The controller simulator the README starts serves the download example.
for line in "${lines[@]}"; do
  case "$line" in
    *"$build"/varnix/varnixd*)
      # exec: the background job is the server itself, so that the clean-up stops it rather
      # than a shell that would leave it serving (and holding its port) after this check.
      eval "exec $line" >"$scratch/varnixd.log" 2>&1 &
      server=$!
      sleep 1 ;;
  esac
done

passed=0 failed=0 skipped=0
for line in "${lines[@]}"; do
  reason=$(skip_reason "$line")
  if [ -n "$reason" ]; then
    echo "skipped: $line  ($reason)"
    skipped=$((skipped + 1))
    continue
  fi
  status=0
  case "$line" in
    # The desktop program runs until it is closed: it passes when it is still up after a while.
    *"$build"/pathloom/app/pathloom*)
      QT_QPA_PLATFORM=offscreen timeout 5 bash -c "$line" >"$scratch/out" 2>&1 || status=$?
      [ "$status" -eq 124 ] && status=0 ;;
    *) bash -c "$line" >"$scratch/out" 2>&1 || status=$? ;;
  esac
  if [ "$status" -eq 0 ]; then
    echo "ok: $line"
    passed=$((passed + 1))
  else
    echo "FAILED ($status): $line"
    sed 's/^/    /' "$scratch/out" | tail -20
    failed=$((failed + 1))
  fi
done
echo "README commands: $passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
