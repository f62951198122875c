#!/usr/bin/env bash
# The Qt libraries' layers: with the include path a library compiles with, its own headers and
# those of the layers below it are found, and a header of a higher layer is not.
#   layers_test.sh <c++ compiler> <library> <include dirs separated by ';'> <headers it reaches...>
#                  -- <headers it must not reach...>
set -euo pipefail

compiler=$1 library=$2
IFS=';' read -r -a dirs <<<"$3"
shift 3
flags=(-std=c++20 -fPIC -fsyntax-only -x c++)
for dir in "${dirs[@]}"; do flags+=("-I$dir"); done

failed=0
expect_found=1
for header in "$@"; do
  if [ "$header" = "--" ]; then
    expect_found=0
    continue
  fi
  output=$(echo "#include \"$header\"" | "$compiler" "${flags[@]}" - 2>&1) && found=1 || found=0
  if [ "$expect_found" -eq 1 ] && [ "$found" -eq 0 ]; then
    echo "$library should compile with $header:"
    echo "$output" | head -5
    failed=1
  elif [ "$expect_found" -eq 0 ] && ! grep -q "$header: No such file" <<<"$output"; then
    echo "$library reaches $header, a header of a higher layer"
    failed=1
  fi
done
[ "$failed" -eq 0 ] && echo "$library: its own and lower layers' headers found, higher ones not"
exit "$failed"
