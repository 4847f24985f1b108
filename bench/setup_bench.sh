#!/usr/bin/env bash
# Setup benchmark: how long Setup's installation sequence takes to unpack a setup package
# of many small entries (with the install log, the settings and the shortcut), against
# `miniunzip -x` extracting the same package into an empty folder.
#
# It builds nothing. It expects a native build:
#   SETUP_INSTALL  the installation sequence  (default build/native/bench/setup_install)
#   MAKE_PACKAGE   the package generator      (default build/native/bench/make_package)
#   ENTRIES        entries of the package     (default 5000)
#   REPS           timed runs per case        (default 5; the median is reported)
#   TMPDIR         where the work folder goes (default /tmp)
#
# Both tools start every run from an empty destination, after `sync`; the two cases take
# turns round by round after one warm-up run each, so the page cache is warm for both
# and a change in the machine's load falls on both alike.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bench=setup_bench
# shellcheck source=bench/common.sh
source "$root/bench/common.sh"
setup_install=${SETUP_INSTALL:-$root/build/native/bench/setup_install}
entries=${ENTRIES:-5000}
need_built "setup_install make_package" "$setup_install" "$make_package"
need_installed minizip miniunzip
make_work vantrel-setup-bench
export XDG_DATA_HOME=$work/xdg

"$make_package" many "$work/gen" "$entries" >/dev/null
mkdir "$work/source"
mv "$work/gen/many.kzm" "$work/source/_Setup.pak"
package=$work/source/_Setup.pak

run_setup() { "$setup_install" "$work/source" "$work/out/Vantrel" "$work/registry.reg"; }
run_miniunzip() { (cd "$work/out" && miniunzip -x -o "$package" >/dev/null); }

check_setup() {
  local files logged
  files=$(find "$work/out/Vantrel" -type f ! -name install.log | wc -l)
  logged=$(($(wc -l <"$work/out/Vantrel/install.log") - 1))
  if [[ $files -ne $entries || $logged -ne $entries ]]; then
    echo "setup_bench: Setup wrote $files files and logged $logged names, expected $entries" >&2
    exit 1
  fi
}

# time_once TOOL: one run from an empty destination, its wall time in ns; Setup's is
# checked after the clock stops.
time_once() {
  local t
  rm -rf "$work/out" "$work/registry.reg" "$work/xdg"
  mkdir "$work/out"
  sync
  case $1 in
    setup) t=$(time_ns run_setup); check_setup ;;
    miniunzip) t=$(time_ns run_miniunzip) ;;
  esac
  echo "$t"
}

measure miniunzip miniunzip - setup setup -

s=$(median_ms setup)
m=$(median_ms miniunzip)
echo "Setup package of $entries entries, median of $reps runs after one warm-up (wall time)"
printf '%-12s %10s %14s\n' tool "median ms" "spread ms"
printf '%-12s %10s %14s\n' setup "$s" "$(spread_ms setup)"
printf '%-12s %10s %14s\n' "miniunzip -x" "$m" "$(spread_ms miniunzip)"
echo "setup / miniunzip: $(ratio "$s" "$m")"
