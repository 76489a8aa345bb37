#!/usr/bin/env bash
# Seconds of quorlen-print for a booklet of 1,000 puzzles with their
# solutions, one, four and six puzzles a page: 1,000 new puzzles of
# quorlen-generate (any level, seed 1), and the first 1,000 of top1465 (hard
# puzzles, the slowest to rate). Pinned to one CPU (the last this script may
# use); wall-clock and CPU seconds (user + system), each the median over
# the rounds, and the size of the PDF.
#
#   bench/print.sh [ROUNDS] [QUORLEN_PRINT] [QUORLEN_GENERATE]
#
# Defaults: 5 rounds, both programs built in Release in a temporary folder.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh
rounds=${1:-5}
build_qt=ON
print=$(built quorlen-print "${2:-}")
generate=$(built quorlen-generate "${3:-}")

"$generate" --seed 1 1000 >"$work/generated.txt" 2>/dev/null
head -n 1000 tests/data/top1465.txt >"$work/top1000.txt"
echo "$(machine), load average $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-28s %8s %8s %10s   %s\n' booklet wall cpu "PDF bytes" "rounds (wall/cpu)"
for input in generated top1000; do
  for per_page in 1 4 6; do
    walls=() cpus=() all=""
    for ((r = 1; r <= rounds; r++)); do
      read -r wall cpu < <(timed "$work/out.pdf" "${pin[@]}" "$print" --solutions --per-page "$per_page" \
        "$work/$input.txt")
      walls+=("$wall") cpus+=("$cpu") all+="$wall/$cpu "
    done
    printf '%-28s %8s %8s %10s   %s\n' "$input, $per_page a page" "$(printf '%s\n' "${walls[@]}" | median)" \
      "$(printf '%s\n' "${cpus[@]}" | median)" "$(stat -c %s "$work/out.pdf")" "$all"
  done
done
echo "load average at the end $(cut -d' ' -f1-3 /proc/loadavg)"
