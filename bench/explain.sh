#!/usr/bin/env bash
# What quorlen-solve --explain costs beside a plain run: both over a puzzle
# file on one thread (-j 1), pinned to one CPU, in turn, ROUNDS times; the
# medians of their wall-clock and CPU seconds, their ratios, and the size
# of the explanation. The explanation goes to a file, as a user keeps it.
#
#   bench/explain.sh [ROUNDS] [PUZZLE_FILE] [QUORLEN_SOLVE]
#
# Defaults: 5 rounds, tests/data/top1465.txt, quorlen-solve built in
# Release in a temporary folder.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh
rounds=${1:-5}
puzzles=$(realpath "${2:-tests/data/top1465.txt}")
solve=$(built quorlen-solve "${3:-}")

machine
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
plain_walls=() plain_cpus=() explain_walls=() explain_cpus=()
for ((r = 1; r <= rounds; r++)); do
  read -r w c < <(timed /dev/null "${pin[@]}" "$solve" -j 1 --dir "$work" "$puzzles")
  plain_walls+=("$w") plain_cpus+=("$c")
  read -r w c < <(timed "$work/explained.txt" "${pin[@]}" "$solve" --explain -j 1 --dir "$work" "$puzzles")
  explain_walls+=("$w") explain_cpus+=("$c")
  printf 'round %d: plain %s/%s s, --explain %s/%s s (wall/cpu)\n' "$r" "${plain_walls[-1]}" "${plain_cpus[-1]}" \
    "${explain_walls[-1]}" "${explain_cpus[-1]}"
done
pw=$(printf '%s\n' "${plain_walls[@]}" | median) pc=$(printf '%s\n' "${plain_cpus[@]}" | median)
ew=$(printf '%s\n' "${explain_walls[@]}" | median) ec=$(printf '%s\n' "${explain_cpus[@]}" | median)
echo "medians: plain $pw/$pc s, --explain $ew/$ec s (wall/cpu);" \
  "ratio wall $(awk -v a="$ew" -v b="$pw" 'BEGIN {printf "%.2f", a / b}')x," \
  "cpu $(awk -v a="$ec" -v b="$pc" 'BEGIN {printf "%.2f", a / b}')x"
echo "explanation: $(wc -l <"$work/explained.txt") lines, $(wc -c <"$work/explained.txt") bytes"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
