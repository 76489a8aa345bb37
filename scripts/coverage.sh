#!/usr/bin/env bash
# Line coverage of the toolkit-free core by the whole test suite.
#   scripts/coverage.sh [MIN_PERCENT]
# Builds build-coverage/ (GCC, Debug, --coverage), runs ctest there, and
# prints gcovr's table per file and the total over src/board, src/view,
# src/solver, src/logic, src/generator, src/files, src/game and src/ui (build-coverage/coverage.txt
# keeps the table). It fails, with status 2, when the total line coverage is below
# MIN_PERCENT (or QUORLEN_COVERAGE_MIN from the environment; default 0).
set -euo pipefail
cd "$(dirname "$0")/.."

min=${1:-${QUORLEN_COVERAGE_MIN:-0}}
build_dir=build-coverage
"$PWD/scripts/install-deps.sh" --coverage

# Counts left by an earlier run would add to this one's (and the build's
# listing of the tests would warn about counts of objects since rebuilt).
clear_counts() { [[ ! -d $build_dir ]] || find "$build_dir" -name '*.gcda' -delete; }
clear_counts
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORLEN_COVERAGE=ON \
  "-DQUORLEN_WERROR=${QUORLEN_WERROR:-OFF}"
cmake --build "$build_dir"
clear_counts
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
ctest --test-dir "$build_dir" --output-on-failure -j 2

core=()
for layer in board view solver logic generator files game ui; do core+=(--filter "src/$layer/"); done
gcovr --root . --object-directory "$build_dir" "${core[@]}" --print-summary \
  --fail-under-line "$min" | tee "$build_dir/coverage.txt"
