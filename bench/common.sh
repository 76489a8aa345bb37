# shellcheck shell=bash
# What the bench scripts share. Sourced by them after `set -euo pipefail`,
# from the top of the tree:
#   $work                  a temporary folder, removed when the script ends
#   built TARGET [PATH]    prints PATH made absolute when given, else builds
#                          TARGET (Release) in $work and prints its path;
#                          with build_qt=ON set first, the Qt programs too
#   timed OUT COMMAND...   runs COMMAND, its output to OUT, and prints its
#                          "wall cpu" seconds; cpu is user + system, what the
#                          program itself used, which other load on a shared
#                          machine disturbs less than the wall-clock time
#   median                 the median of the numbers read, one a line
#   machine                the processors usable and their model, one line
#   ${pin[@]}              taskset on the last processor this script may use
#                          (empty without taskset): a prefix for one-CPU runs
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

built() {
  if [[ -n ${2:-} ]]; then
    realpath "$2"
    return
  fi
  echo "building $1 (Release) in $work" >&2
  cmake -S . -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORLEN_BUILD_TESTS=OFF \
    "-DQUORLEN_BUILD_APP=${build_qt:-OFF}" >/dev/null
  cmake --build "$work/build" --target "$1" >/dev/null
  echo "$work/build/$1"
}

timed() {
  local out=$1 TIMEFORMAT='%R %U %S' t
  shift
  # The command's own standard error goes where the script's goes.
  t=$({ time "$@" >"$out" 2>&3; } 3>&2 2>&1)
  awk '{ printf "%.3f %.3f\n", $1, $2 + $3 }' <<<"$t"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

machine() { echo "$(nproc) processors usable, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"; }

pin=()
if command -v taskset >/dev/null; then
  # The affinity list, e.g. "0-3,6": its last processor.
  last_cpu=$(taskset -pc $$ | sed 's/.*: //; s/.*[,-]//')
  pin=(taskset -c "$last_cpu")
fi
