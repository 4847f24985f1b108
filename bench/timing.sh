# Timing helpers shared by the benchmark scripts (sourced, not run). Times are wall
# times in nanoseconds; the scripts keep one file of times per case in $work/times.

# One timed command, its wall time in nanoseconds on stdout.
time_ns() {
  local start end
  start=$(date +%s%N)
  "$@"
  end=$(date +%s%N)
  echo $((end - start))
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
