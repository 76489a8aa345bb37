#!/usr/bin/env bash
# Builds every fuzz target of tests/fuzz with clang 14 (libFuzzer, ASan and
# UBSan) in build-fuzz/, and runs each for SECONDS (default 45), two at a
# time. CI runs it; a finding fails it.
#   scripts/fuzz.sh [SECONDS]
# QUORLEN_WERROR=ON in the environment turns warnings into errors.
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/scripts/install-deps.sh" --clang

cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DQUORLEN_FUZZ=ON \
  -DQUORLEN_BUILD_TESTS=OFF -DQUORLEN_BUILD_APP=OFF "-DQUORLEN_FUZZ_SECONDS=${1:-45}" \
  "-DQUORLEN_WERROR=${QUORLEN_WERROR:-OFF}"
cmake --build build-fuzz --target quorlen_fuzz
ctest --test-dir build-fuzz -L fuzz --output-on-failure -j 2
