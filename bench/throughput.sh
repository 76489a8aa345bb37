#!/usr/bin/env bash
# Puzzles per second of quorlen-solve on one thread (-j 1) and on two (-j 2),
# measured in turn in the same run, over top1465 and over 100,000 puzzle
# lines (top1465 repeated), and the ratio of the two. The first round also
# checks that both give the same lines but for the time.
#
#   bench/throughput.sh [ROUNDS] [QUORLEN_SOLVE]
#
# Defaults: 3 rounds, quorlen-solve built in Release in a temporary folder.
# Each round is shown with the load average (1 minute) before, between and
# after its two runs: on a shared machine other work takes cores from -j 2,
# so only runs made at a low load say what the program can do.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh
rounds=${1:-3}
solve=$(built quorlen-solve "${2:-}")
awk -v n=100000 '{ line[NR] = $0 } END { for (i = 0; i < n; i++) print line[i % NR + 1] }' \
  tests/data/top1465.txt >"$work/lines100000.txt"

load() { cut -d' ' -f1 /proc/loadavg; }
# "wall cpu" seconds of one run; its output goes to $3.
run_timed() { timed "$3" "$solve" -j "$1" --dir "$work" "$2"; }

machine
printf '%-17s %5s %22s %22s %6s\n' file round "-j 1 s/cpu/puzzles/s" "-j 2 s/cpu/puzzles/s" ratio
for file in tests/data/top1465.txt "$work/lines100000.txt"; do
  puzzles=$(wc -l <"$file")
  ratios=()
  for ((r = 1; r <= rounds; r++)); do
    out1=/dev/null out2=/dev/null
    if ((r == 1)); then out1=$work/one.out out2=$work/two.out; fi
    # Odd rounds run -j 1 first, even rounds -j 2, so that neither always
    # meets the load the other left.
    l0=$(load)
    if ((r % 2)); then
      read -r w1 c1 < <(run_timed 1 "$file" "$out1")
      l1=$(load)
      read -r w2 c2 < <(run_timed 2 "$file" "$out2")
    else
      read -r w2 c2 < <(run_timed 2 "$file" "$out2")
      l1=$(load)
      read -r w1 c1 < <(run_timed 1 "$file" "$out1")
    fi
    l2=$(load)
    if ((r == 1)) && ! cmp -s <(cut -f1-7 "$out1") <(cut -f1-7 "$out2"); then
      echo "-j 1 and -j 2 disagree on $file" >&2
      exit 1
    fi
    ratio=$(awk -v a="$w1" -v b="$w2" 'BEGIN { printf "%.2f", a / b }')
    ratios+=("$ratio")
    printf '%-17s %5s %22s %22s %6s   load %s %s %s\n' "$(basename "$file")" "$r" \
      "$w1/$c1/$(awk -v n="$puzzles" -v s="$w1" 'BEGIN { printf "%.0f", n / s }')" \
      "$w2/$c2/$(awk -v n="$puzzles" -v s="$w2" 'BEGIN { printf "%.0f", n / s }')" "$ratio" "$l0" "$l1" "$l2"
  done
  echo "$(basename "$file"): median ratio -j 2 / -j 1 over $rounds rounds: $(printf '%s\n' "${ratios[@]}" | median)"
done
