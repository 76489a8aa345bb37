#!/usr/bin/env bash
# Formats every C++ file of the project with clang-format 14 (.clang-format).
#   scripts/format.sh           rewrites the files in place
#   scripts/format.sh --check   changes nothing; fails listing unformatted files
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format)
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ ${1:-} == --check ]]; then
  "$format" --dry-run --Werror "${files[@]}"
else
  "$format" -i "${files[@]}"
fi
