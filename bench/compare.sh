#!/usr/bin/env bash
# Times quorlen-solve over a puzzle file for the first unoptimised build (tag
# unoptimised-baseline) and for the current tree, in turn, several rounds,
# and reports each round and the median ratio. Both are built in Release in
# a temporary folder; their outputs must agree but for the time column.
#
#   bench/compare.sh [ROUNDS] [PUZZLE_FILE] [BASE]
#     (defaults: 5, tests/data/top1465.txt, unoptimised-baseline)
#
# BASE names another commit to time the current tree against, such as the
# branch a change starts from.
#
# Needs git, cmake, ninja and a C++20 compiler; pins both programs to one CPU
# with taskset when it is there. Each round reports wall-clock and CPU
# seconds of both builds and the two ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh
root=$PWD
rounds=${1:-5}
puzzles=$(realpath "${2:-tests/data/top1465.txt}")

cleanup() {
  git -C "$root" worktree remove --force "$work/baseline" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# The tag may be missing from a clone that did not fetch tags; its commit is
# the one that added the first tests.
baseline=${3:-unoptimised-baseline}
if [[ -z ${3:-} ]] && ! git -C "$root" rev-parse --quiet --verify "$baseline^{commit}" >/dev/null; then
  baseline=a75d5ec
fi
echo "building $baseline and the current tree (Release) in $work" >&2
git worktree add --quiet --detach "$work/baseline" "$baseline"
build() {  # source dir, build dir
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORLEN_BUILD_TESTS=OFF >/dev/null
  cmake --build "$2" --target quorlen-solve >/dev/null
}
build "$work/baseline" "$work/build-baseline"
build "$root" "$work/build-current"

# "wall cpu" seconds of one run; the output goes to $2.
run_timed() { timed "$2" "${pin[@]}" "$1" --dir "$work" "$puzzles"; }

# Same outcomes, field by field, but for the time of each Solve.
run_timed "$work/build-baseline/quorlen-solve" "$work/baseline.out" >/dev/null
run_timed "$work/build-current/quorlen-solve" "$work/current.out" >/dev/null
if ! cmp -s <(cut -f1-7 "$work/baseline.out") <(cut -f1-7 "$work/current.out"); then
  echo "the two builds disagree on $puzzles:" >&2
  diff <(cut -f1-7 "$work/baseline.out") <(cut -f1-7 "$work/current.out") | head -5 >&2
  exit 1
fi
echo "outputs agree on $(wc -l <"$work/current.out") puzzles of $puzzles" >&2

printf '%-6s %14s %14s %8s %8s\n' round baseline_wall/cpu current_wall/cpu wall cpu
wall_ratios=()
cpu_ratios=()
for ((r = 1; r <= rounds; r++)); do
  read -r bw bc < <(run_timed "$work/build-baseline/quorlen-solve" /dev/null)
  read -r cw cc < <(run_timed "$work/build-current/quorlen-solve" /dev/null)
  wr=$(awk -v a="$bw" -v b="$cw" 'BEGIN {printf "%.2f", a / b}')
  cr=$(awk -v a="$bc" -v b="$cc" 'BEGIN {printf "%.2f", a / b}')
  wall_ratios+=("$wr")
  cpu_ratios+=("$cr")
  printf '%-6s %14s %14s %8s %8s\n' "$r" "$bw/$bc" "$cw/$cc" "$wr" "$cr"
done
echo "median ratio over $rounds rounds: wall $(printf '%s\n' "${wall_ratios[@]}" | median)x," \
  "cpu $(printf '%s\n' "${cpu_ratios[@]}" | median)x"
