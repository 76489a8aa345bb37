#!/usr/bin/env bash
# Puzzles per second of quorlen-generate on one thread, every level with
# and without --minimal, measured in one run beside Debian's qqwing (a
# different program, package qqwing) making its own puzzles:
#   qqwing --generate N --one-line                      beside  quorlen-generate --minimal
#   qqwing --generate N --difficulty expert --one-line  beside  quorlen-generate --level very-difficult --minimal
# All pinned to one CPU (the last this script may use). Rates are puzzles per second of CPU
# time (user + system), which other load on a shared machine disturbs less
# than wall-clock time; each is the median over the rounds.
#
#   bench/generate.sh [ROUNDS] [QUORLEN_GENERATE]
#
# Defaults: 3 rounds, quorlen-generate built in Release in a temporary folder.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh
rounds=${1:-3}
command -v qqwing >/dev/null || { echo "qqwing is not installed (apt-get install qqwing)" >&2; exit 1; }
generate=$(built quorlen-generate "${2:-}")

# Puzzles per CPU second of one run: rate PUZZLES COMMAND...
rate() {
  local n=$1 cpu
  shift
  read -r _ cpu < <(timed "$work/out.txt" "${pin[@]}" "$@")
  [[ $(wc -l <"$work/out.txt") -eq $n ]] || { echo "$* wrote $(wc -l <"$work/out.txt") lines, not $n" >&2; exit 1; }
  awk -v n="$n" -v s="$cpu" 'BEGIN { printf "%.0f\n", n / s }'
}

runs=(
  "qqwing any|1000|qqwing --generate 1000 --one-line"
  "qqwing expert|200|qqwing --generate 200 --difficulty expert --one-line"
  "quorlen --minimal|5000|$generate -j 1 --seed 1 --minimal 5000"
  "quorlen --minimal very-difficult|2000|$generate -j 1 --seed 1 --minimal --level very-difficult 2000"
  "quorlen --minimal difficult|500|$generate -j 1 --seed 1 --minimal --level difficult 500"
  "quorlen --minimal medium|1000|$generate -j 1 --seed 1 --minimal --level medium 1000"
  "quorlen --minimal easy|10|$generate -j 1 --seed 1 --minimal --level easy 10"
  "quorlen any|5000|$generate -j 1 --seed 1 5000"
  "quorlen very-difficult|2000|$generate -j 1 --seed 1 --level very-difficult 2000"
  "quorlen difficult|1000|$generate -j 1 --seed 1 --level difficult 1000"
  "quorlen medium|2000|$generate -j 1 --seed 1 --level medium 2000"
  "quorlen easy|5000|$generate -j 1 --seed 1 --level easy 5000"
  "quorlen --symmetric --minimal|2000|$generate -j 1 --seed 1 --symmetric --minimal 2000"
)
echo "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //'), load average $(cut -d' ' -f1-3 /proc/loadavg)"
declare -A rates
for ((r = 1; r <= rounds; r++)); do
  for run in "${runs[@]}"; do
    IFS='|' read -r name n command <<<"$run"
    # shellcheck disable=SC2086  # the command's words
    rates[$name]+="$(rate "$n" $command) "
  done
done
printf '%-36s %12s   %s\n' run "puzzles/s" "rounds"
for run in "${runs[@]}"; do
  name=${run%%|*}
  printf '%-36s %12s   %s\n' "$name" "$(tr ' ' '\n' <<<"${rates[$name]}" | grep . | median)" "${rates[$name]}"
done
any=$(tr ' ' '\n' <<<"${rates["qqwing any"]}" | grep . | median)
expert=$(tr ' ' '\n' <<<"${rates["qqwing expert"]}" | grep . | median)
minimal=$(tr ' ' '\n' <<<"${rates["quorlen --minimal"]}" | grep . | median)
hardest=$(tr ' ' '\n' <<<"${rates["quorlen --minimal very-difficult"]}" | grep . | median)
awk -v a="$minimal" -v b="$any" -v c="$hardest" -v d="$expert" 'BEGIN {
  printf "--minimal against qqwing --generate: %.1f times (target 10)\n", a / b
  printf "--minimal --level very-difficult against qqwing --difficulty expert: %.1f times (target 10)\n", c / d }'
echo "load average at the end $(cut -d' ' -f1-3 /proc/loadavg)"
