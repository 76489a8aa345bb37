#!/usr/bin/env bash
# Puzzles per second of quorlen-solve --count-only (the solution count and
# the one solution of each puzzle, no Solve command) on one thread (-j 1)
# and on two (-j 2), over clues17 and top1465. Each collection is given
# COPIES times to one run, so that a run lasts long enough to time; each
# figure is the median of ROUNDS runs, -j 1 and -j 2 in turn.
#
#   bench/count_only.sh [ROUNDS] [COPIES] [QUORLEN_SOLVE]
#
# Defaults: 5 rounds, 20 copies, quorlen-solve built in Release in a
# temporary folder. The first run of each collection also checks that -j 1
# and -j 2 print the same lines.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh
rounds=${1:-5}
copies=${2:-20}
solve=$(built quorlen-solve "${3:-}")

# "wall cpu" seconds of one run; its output goes to $2.
run_timed() {
  local jobs=$1 out=$2
  shift 2
  timed "$out" "$solve" --count-only -j "$jobs" "$@"
}

machine
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-12s %8s %4s %9s %9s %12s\n' file puzzles -j "wall s" "cpu s" "puzzles/s"
for file in tests/data/clues17.txt tests/data/top1465.txt; do
  inputs=()
  for ((c = 0; c < copies; c++)); do inputs+=("$file"); done
  puzzles=$(($(wc -l <"$file") * copies))
  walls1=() cpus1=() walls2=() cpus2=()
  for ((r = 1; r <= rounds; r++)); do
    out1=/dev/null out2=/dev/null
    if ((r == 1)); then out1=$work/one.out out2=$work/two.out; fi
    read -r w c < <(run_timed 1 "$out1" "${inputs[@]}")
    walls1+=("$w") cpus1+=("$c")
    read -r w c < <(run_timed 2 "$out2" "${inputs[@]}")
    walls2+=("$w") cpus2+=("$c")
    if ((r == 1)) && ! cmp -s "$out1" "$out2"; then
      echo "-j 1 and -j 2 disagree on $file" >&2
      exit 1
    fi
  done
  for jobs in 1 2; do
    declare -n walls=walls$jobs cpus=cpus$jobs
    wall=$(printf '%s\n' "${walls[@]}" | median)
    cpu=$(printf '%s\n' "${cpus[@]}" | median)
    printf '%-12s %8s %4s %9s %9s %12.0f\n' "$(basename "$file")" "$puzzles" "$jobs" "$wall" "$cpu" \
      "$(awk -v n="$puzzles" -v s="$wall" 'BEGIN { print n / s }')"
  done
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
