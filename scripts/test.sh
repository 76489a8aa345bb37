#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
#   scripts/test.sh                 release-style build in build/
#   scripts/test.sh --sanitize      AddressSanitizer + UBSan build in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

"$PWD/scripts/install-deps.sh"

build_dir=build
extra=()
if [[ ${1:-} == --sanitize ]]; then
  build_dir=build-asan
  extra=(-DCMAKE_BUILD_TYPE=Debug "-DQUORLEN_SANITIZE=address,undefined")
fi

cmake -S . -B "$build_dir" -G Ninja "${extra[@]}"
cmake --build "$build_dir"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
ctest --test-dir "$build_dir" --output-on-failure -j 2
