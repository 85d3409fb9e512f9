#!/bin/sh
# Fails when a C or C++ source of the project differs from what clang-format
# makes of it with the project's .clang-format; clang-format names each
# place. Usage: sources_are_formatted.sh CLANG_FORMAT TOP
set -eu
clang_format=$1
cd "$2"
if ! git ls-files -z '*.c' '*.cpp' '*.h' | xargs -0 "$clang_format" --dry-run --Werror; then
  echo "not formatted: run $clang_format -i on the files named above"
  exit 1
fi
