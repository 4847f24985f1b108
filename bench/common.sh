# What the benchmark scripts share (sourced, not run): their start (the tools they need,
# the number of runs, the work folder) and their timing. Times are wall times in
# nanoseconds, one file of times per case in $work/times. A script sets `bench`, its name
# in messages, before sourcing this, and defines `time_once TOOL ARGUMENT` (one run from
# a fresh start, its time on stdout) before it calls `measure`.
# shellcheck shell=bash disable=SC2154 # $bench and $root are the sourcing script's
set -euo pipefail
shopt -s inherit_errexit

# MAKE_PACKAGE: the package generator of the native build.
# shellcheck disable=SC2034 # used by the sourcing scripts
make_package=${MAKE_PACKAGE:-$root/build/native/bench/make_package}

# REPS: timed runs per case, after one warm-up run.
reps=${REPS:-5}
if ! [[ $reps =~ ^[1-9][0-9]*$ ]]; then
  echo "$bench: REPS must be a positive whole number" >&2
  exit 2
fi

# need_built TARGETS TOOL...: each TOOL is a program of the native build, else stop and
# say how to build TARGETS.
need_built() {
  local targets=$1 tool
  shift
  for tool; do
    if [[ ! -x $tool ]]; then
      echo "$bench: $tool not found or not executable; build it first:" >&2
      echo "  cmake --preset native && cmake --build build/native --target $targets" >&2
      exit 2
    fi
  done
}

# need_installed PACKAGE COMMAND...: each COMMAND is installed, else stop and name the
# Debian package that has it.
need_installed() {
  local package=$1 command
  shift
  for command; do
    if ! command -v "$command" >/dev/null; then
      echo "$bench: $command is not installed (Debian package $package)" >&2
      exit 2
    fi
  done
}

# make_work NAME: the work folder $work, below TMPDIR (default /dev/shm where it can be
# written, a file system in memory, else /tmp), removed at exit unless KEEP=1. Every
# tool of a run writes there, so all of them meet the same file system.
make_work() {
  local base=/tmp
  [[ -d /dev/shm && -w /dev/shm ]] && base=/dev/shm
  work=$(mktemp -d "${TMPDIR:-$base}/$1.XXXXXX")
  if [[ ${KEEP:-0} == 1 ]]; then
    echo "work folder: $work"
  else
    trap 'rm -rf "$work"' EXIT
  fi
}

# One timed command, its wall time in nanoseconds on stdout.
time_ns() {
  local start end
  start=$(date +%s%N)
  "$@"
  end=$(date +%s%N)
  echo $((end - start))
}

# measure KEY TOOL ARGUMENT ...: one warm-up run of every case, then REPS rounds that
# run each case once in turn, so a change in the machine's load over the minutes of a
# benchmark falls on every case alike. Times go to $work/times/KEY.
measure() {
  local -a cases=("$@")
  local i c
  mkdir -p "$work/times"
  for ((c = 0; c < ${#cases[@]}; c += 3)); do
    time_once "${cases[c + 1]}" "${cases[c + 2]}" >/dev/null
    : >"$work/times/${cases[c]}"
  done
  for ((i = 0; i < reps; i++)); do
    for ((c = 0; c < ${#cases[@]}; c += 3)); do
      time_once "${cases[c + 1]}" "${cases[c + 2]}" >>"$work/times/${cases[c]}"
    done
  done
}

# The median of the times measured under KEY, in ms.
median_ms() {
  sort -n "$work/times/$1" |
    awk '{ t[NR] = $1 }
      END { m = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2; printf "%.1f\n", m / 1e6 }'
}

# Fastest and slowest run under KEY, in ms, to judge how noisy the machine was.
spread_ms() {
  sort -n "$work/times/$1" | awk 'NR == 1 { lo = $1 } { hi = $1 } END { printf "%.1f-%.1f", lo / 1e6, hi / 1e6 }'
}

# ratio A B: A / B to two places.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
