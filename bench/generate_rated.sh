#!/usr/bin/env bash
# How long quorlen-generate takes for puzzles by the person's solver's
# rating (--rating) or hardest technique (--technique), on two threads as a
# user runs it: the wall-clock and CPU seconds of whole runs, each round
# with another seed (1, 2, ...), and the median of the rounds. The two
# targets come first:
#   --rating 4.0-4.9 20   at most a minute
#   --rating 7.0-7.9 5    at most five minutes
# Every line written is checked: one solution (quorlen-solve --count-only)
# and the rating in the band (quorlen-solve --rate).
#
#   bench/generate_rated.sh [ROUNDS] [BUILD_DIR]
#
# Defaults: 5 rounds; quorlen-generate and quorlen-solve built in Release in
# a temporary folder, or taken from BUILD_DIR.
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/common.sh
rounds=${1:-5}
if [[ -n ${2:-} ]]; then
  generate=$(realpath "$2/quorlen-generate")
  solve=$(realpath "$2/quorlen-solve")
else
  generate=$(built quorlen-generate)
  solve=$(built quorlen-solve)
fi

# label|count|low|high|options (low and high: the band checked, in tenths)
runs=(
  "--rating 4.0-4.9|20|40|49|--rating 4.0-4.9"
  "--rating 7.0-7.9|5|70|79|--rating 7.0-7.9"
  "--rating 2.0-2.9|20|20|29|--rating 2.0-2.9"
  "--rating 7.0-7.9 --minimal|5|70|79|--rating 7.0-7.9 --minimal"
  "--rating 8.0-8.9|5|80|89|--rating 8.0-8.9"
  "--rating 9.0-9.9|3|90|99|--rating 9.0-9.9"
  "--technique x-wing|5|0|200|--technique x-wing"
  "--technique xy-wing|5|0|200|--technique xy-wing"
  "--technique swordfish|3|0|200|--technique swordfish"
  "--technique 'unique rectangle'|5|0|200|--technique unique-rectangle"
)
echo "$(machine), load average $(cut -d' ' -f1-3 /proc/loadavg)"
declare -A walls cpus
for ((r = 1; r <= rounds; r++)); do
  for run in "${runs[@]}"; do
    IFS='|' read -r name n low high options <<<"$run"
    # shellcheck disable=SC2086  # the options' words
    read -r wall cpu < <(timed "$work/out.txt" "$generate" -j 2 --seed "$r" $options "$n")
    [[ $(wc -l <"$work/out.txt") -eq $n ]] || { echo "$name wrote $(wc -l <"$work/out.txt") lines" >&2; exit 1; }
    "$solve" --count-only "$work/out.txt" | awk -F'\t' -v name="$name" '$2 != 1 { print name ": not one solution: " $0; bad = 1 } END { exit bad }' >&2
    "$solve" --rate "$work/out.txt" | awk -F'\t' -v lo="$low" -v hi="$high" -v name="$name" '
      { er = $2 * 10 } er < lo - 0.5 || er > hi + 0.5 { print name ": rated " $2; bad = 1 } END { exit bad }' >&2
    walls[$name]+="$wall "
    cpus[$name]+="$cpu "
  done
done
printf '%-34s %7s %12s %12s   %s\n' run puzzles "wall s" "cpu s" "wall s of each round"
for run in "${runs[@]}"; do
  IFS='|' read -r name n _ <<<"$run"
  printf '%-34s %7s %12s %12s   %s\n' "$name" "$n" "$(tr ' ' '\n' <<<"${walls[$name]}" | grep . | median)" \
    "$(tr ' ' '\n' <<<"${cpus[$name]}" | grep . | median)" "${walls[$name]}"
done
echo "load average at the end $(cut -d' ' -f1-3 /proc/loadavg)"
