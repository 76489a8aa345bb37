#!/usr/bin/env bash
# The complete search's targets in one run: quorlen-bench of a build from
# before the search was rewritten and of this tree, one after the other on
# one CPU, twice in turn (before, after, before, after) so that a change of
# load hits both. Prints each run's mean count_solutions time on top1465 and
# on the 17-given puzzles, the ratios of the medians over the runs, and this
# tree's slowest count and Solve command on tests/data/slow_grids.tsv.
#   bench/search_targets.sh [BASE] [ROUNDS]
# BASE is a quorlen-bench program, or a commit to build one from (default
# 68cbe1e, the last commit with the earlier search); ROUNDS defaults to 5.
# Both are built in Release in a temporary folder unless given.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh
root=$PWD
base=${1:-68cbe1e}
rounds=${2:-5}
out=$work/out
mkdir -p "$out"

bench_build() {  # source dir, build dir
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORLEN_BUILD_BENCH=ON \
    -DQUORLEN_BUILD_TESTS=OFF -DQUORLEN_BUILD_APP=OFF >/dev/null
  cmake --build "$2" --target quorlen-bench >/dev/null
  echo "$2/quorlen-bench"
}
if [[ ! -f $base ]]; then
  echo "building quorlen-bench of $base and of the current tree (Release) in $work" >&2
  git worktree add --quiet --detach "$work/base" "$base"
  trap 'git -C "$root" worktree remove --force "$work/base" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
  base=$(bench_build "$work/base" "$work/build-base")
fi
current=$(bench_build "$root" "$work/build-current")

# The mean (ms) of a row of the count table: the rows after its heading.
count_mean() { awk -v name="$2" '/^solution counts/ {on = 1} on && $1 == name {print $5; exit}' "$1"; }

for run in 1 2; do
  "${pin[@]}" "$base" --rounds "$rounds" > "$out/before$run.txt"
  "${pin[@]}" "$current" --rounds "$rounds" > "$out/after$run.txt"
  for build in before after; do
    file=$out/$build$run.txt
    printf '%s run %s: count top1465 %s ms, clues17 %s ms\n' "$build" "$run" \
      "$(count_mean "$file" top1465.txt)" "$(count_mean "$file" clues17.txt)"
  done
done
for name in top1465.txt clues17.txt; do
  ratios=""
  for run in 1 2; do
    ratios+=" $(awk -v b="$(count_mean "$out/before$run.txt" $name)" -v a="$(count_mean "$out/after$run.txt" $name)" \
      'BEGIN {printf "%.2f", b / a}')"
  done
  printf 'count %s: before/after%s\n' "$name" "$ratios"
done
for run in 1 2; do
  echo "after run $run, the slowest grids (max ms is the 8th column):"
  grep -h -A1 '^slow_grids.tsv' "$out/after$run.txt"
done
head -2 "$out/after2.txt"
