#!/usr/bin/env bash
# The README's recipe for spreading work with GNU parallel, run on this
# machine (-j 2, no --sshlogin): quorlen-solve over blocks of a puzzle file,
# quorlen-generate with one seed per job. Each must give what a single run
# gives, in the same order (quorlen-solve's numbers made whole again).
#   parallel_recipe.sh QUORLEN_SOLVE QUORLEN_GENERATE PUZZLE_FILE
set -euo pipefail
solve=$1 generate=$2 puzzles=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

# Solve: blocks of about 2 kB, whole lines each, results kept in order.
parallel --pipe-part -a "$puzzles" --block 2k -k -j 2 "$solve" --count >"$work/blocks.txt"
awk 'BEGIN { FS = OFS = "\t" } { $1 = NR; print }' "$work/blocks.txt" >"$work/spread.txt"
"$solve" --count "$puzzles" >"$work/single.txt"
(($(grep -c $'^1\t' "$work/blocks.txt") > 1)) || fail "the input was not split into blocks"
cmp <(cut -f1-7,9 "$work/spread.txt") <(cut -f1-7,9 "$work/single.txt") ||
  fail "quorlen-solve in blocks differs from one run"
echo "ok: quorlen-solve in $(grep -c $'^1\t' "$work/blocks.txt") blocks, $(wc -l <"$work/single.txt") lines as one run"

# Generate: one seed per job, the jobs' lines in the order of the seeds.
parallel -k -j 2 "$generate" --seed {} --level medium 20 ::: 11 12 13 14 >"$work/spread.txt"
for seed in 11 12 13 14; do "$generate" --seed "$seed" --level medium 20; done >"$work/single.txt"
[[ $(wc -l <"$work/single.txt") -eq 80 ]] || fail "quorlen-generate wrote $(wc -l <"$work/single.txt") lines, not 80"
cmp "$work/spread.txt" "$work/single.txt" || fail "quorlen-generate with parallel differs from one run per seed"
echo "ok: quorlen-generate, 4 seeds on 2 jobs, the lines of one run per seed"
