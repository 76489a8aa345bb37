#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite.
#   scripts/test.sh                 GCC, RelWithDebInfo, in build/
#   scripts/test.sh --sanitize      GCC with AddressSanitizer and UBSan, Debug, in build-asan/
#   scripts/test.sh --clang         clang 14, in build-clang/, the benchmarks built too
# QUORLEN_WERROR=ON in the environment turns warnings into errors (CI sets it).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
extra=()
case ${1:-} in
  --sanitize)
    build_dir=build-asan
    extra=(-DCMAKE_BUILD_TYPE=Debug "-DQUORLEN_SANITIZE=address,undefined")
    ;;
  --clang)
    build_dir=build-clang
    extra=(-DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORLEN_BUILD_BENCH=ON)
    ;;
esac
"$PWD/scripts/install-deps.sh" ${1:+"$1"}

cmake -S . -B "$build_dir" -G Ninja "-DQUORLEN_WERROR=${QUORLEN_WERROR:-OFF}" "${extra[@]}"
cmake --build "$build_dir"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
ctest --test-dir "$build_dir" --output-on-failure -j 2
