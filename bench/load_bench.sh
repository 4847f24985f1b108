#!/usr/bin/env bash
# Load benchmark: how long `vantrel load` takes to unpack and stage a battle package,
# against unzip, bsdtar and miniunzip extracting the same package on the same file
# system, how the load time grows with the number of entries, and how much memory a
# load of the large package takes at its peak.
#
# It builds nothing. It expects a native build:
#   VANTREL       the vantrel program      (default build/native/cli/vantrel)
#   MAKE_PACKAGE  the package generator    (default build/native/bench/make_package)
#   REPS          timed runs per case      (default 5; the median is reported)
#   TMPDIR        where the work folder goes (default /dev/shm, else /tmp); every
#                 package, game folder and extraction folder of one run lies in it, on
#                 one file system
#   KEEP=1        keep the work folder afterwards
#
# Every load starts from the same state: a fresh launcher folder (no Temp) and fresh
# game folders, because staging moves files into the game folders and removes Temp.
# Each timed case runs once untimed first to warm the page cache; caches are never
# dropped, so the figures are warm-cache figures. The cases of one table take turns
# round by round, and every run starts after `sync`, so background load and pending
# writes fall on all of them alike. The spread printed at the end shows how noisy the
# machine was.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bench=load_bench
# shellcheck source=bench/common.sh
source "$root/bench/common.sh"
vantrel=${VANTREL:-$root/build/native/cli/vantrel}
need_built "vantrel make_package" "$vantrel" "$make_package"
need_installed unzip unzip
need_installed libarchive-tools bsdtar
need_installed minizip miniunzip
need_installed time /usr/bin/time
make_work vantrel-bench

# The game folder a package's battle list sends it to, by byte 0 of battle.kzb.
game_folder() {
  local byte
  byte=$(unzip -p "$1" battle.kzb | head -c 1 | od -An -tu1 | tr -d ' ')
  case $byte in
    0) echo TIE ;; 1) echo XVT ;; 2) echo BOP ;; 3) echo XWA ;;
    *) echo "load_bench: $1 has no battle list for a known game" >&2; exit 1 ;;
  esac
}

# A load into a fresh installation laid out by the generator; the layout is made
# before the clock starts.
fresh_install() {
  rm -rf "$work/install"
  "$make_package" folders "$work/install"
}

run_load() {
  if ! "$vantrel" --registry "$work/install/registry.reg" load "$1" \
      >"$work/load.out" 2>"$work/load.err"; then
    echo "load_bench: vantrel load $1 failed:" >&2
    cat "$work/load.err" >&2
    exit 1
  fi
}

fresh_dir() {
  rm -rf "$work/out"
  mkdir "$work/out"
}

run_unzip() { unzip -qo "$1" -d "$work/out"; }
run_bsdtar() { bsdtar -xf "$1" -C "$work/out"; }
run_miniunzip() { (cd "$work/out" && miniunzip -x -o "$1" >/dev/null); }

# The load must really have staged the battle: every "*.tie" of the package and the
# battle list in the game's KZMISS, and Temp gone.
check_staged() {
  local package=$1 game tie_count staged
  game=$(game_folder "$package")
  tie_count=$(unzip -Z1 "$package" | grep -ci '\.tie$' || true)
  staged=$(find "$work/install/games/$game/KZMISS" -maxdepth 1 -type f | wc -l)
  if [[ $staged -ne $((tie_count + 1)) ]]; then
    echo "load_bench: $package staged $staged files into $game/KZMISS, expected $((tie_count + 1))" >&2
    exit 1
  fi
  if [[ -e $work/install/launcher/Temp ]]; then
    echo "load_bench: $package left the launcher's Temp folder behind" >&2
    exit 1
  fi
}

# time_once TOOL PACKAGE: one run from the fresh starting state, its wall time in ns.
# The files of the previous run are removed and everything written back before the
# clock starts, so no run pays for the writes or deletions of the one before it.
time_once() {
  local tool=$1 package=$2 t
  case $tool in
    vantrel) fresh_install ;;
    unzip | bsdtar | miniunzip) fresh_dir ;;
  esac
  sync
  case $tool in
    vantrel) t=$(time_ns run_load "$package"); check_staged "$package" ;;
    unzip) t=$(time_ns run_unzip "$package") ;;
    bsdtar) t=$(time_ns run_bsdtar "$package") ;;
    miniunzip) t=$(time_ns run_miniunzip "$package") ;;
  esac
  echo "$t"
}

entries() { unzip -Z1 "$1" | wc -l; }
size_mb() { awk -v b="$(stat -L -c %s "$1")" 'BEGIN { printf "%.1f", b / 1048576 }'; }

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
counts=(1250 2500 5000 10000 20000)
echo "Generating packages in $work ..."
"$make_package" large "$work/large" >/dev/null
for n in "${counts[@]}"; do "$make_package" many "$work/many$n" "$n" >/dev/null; done
mkdir -p "$work/many"
ln -s "$work/many5000/many.kzm" "$work/many/many.kzm"

echo
echo "Load against plain extraction (median of $reps runs after one warm-up, wall time)"
printf '%-8s %8s %8s %8s %8s %8s %10s %8s %9s %9s\n' \
  package entries "size MB" "vantrel" unzip bsdtar miniunzip "/bsdtar" "/unzip" "/miniunzip"
printf '%-8s %8s %8s %8s %8s %8s %10s %8s %9s %9s\n' "" "" "" ms ms ms ms "vantrel" "vantrel" "vantrel"
for name in large many; do
  package=$work/$name/$name.kzm
  measure "$name-vantrel" vantrel "$package" "$name-unzip" unzip "$package" \
    "$name-bsdtar" bsdtar "$package" "$name-miniunzip" miniunzip "$package"
  v=$(median_ms "$name-vantrel")
  u=$(median_ms "$name-unzip")
  b=$(median_ms "$name-bsdtar")
  m=$(median_ms "$name-miniunzip")
  printf '%-8s %8d %8s %8s %8s %8s %10s %8s %9s %9s\n' "$name" "$(entries "$package")" \
    "$(size_mb "$package")" "$v" "$u" "$b" "$m" \
    "$(ratio "$v" "$b")" "$(ratio "$v" "$u")" "$(ratio "$v" "$m")"
done

echo
echo "Time per entry of vantrel load and bsdtar as the entries grow (median of $reps runs)"
printf '%-8s %11s %15s %10s %15s\n' entries "vantrel ms" "vantrel us/entry" "bsdtar ms" "bsdtar us/entry"
cases=()
for n in "${counts[@]}"; do
  cases+=("n$n" vantrel "$work/many$n/many.kzm" "b$n" bsdtar "$work/many$n/many.kzm")
done
measure "${cases[@]}"
per_entry() { awk -v t="$1" -v n="$2" 'BEGIN { printf "%.1f", t * 1000 / n }'; }
for n in "${counts[@]}"; do
  v=$(median_ms "n$n")
  b=$(median_ms "b$n")
  printf '%-8d %11s %15s %10s %15s\n' "$n" "$v" "$(per_entry "$v" "$n")" "$b" "$(per_entry "$b" "$n")"
done

echo
fresh_install
/usr/bin/time -f %M -o "$work/rss" "$vantrel" --registry "$work/install/registry.reg" \
  load "$work/large/large.kzm" >/dev/null 2>"$work/load.err"
check_staged "$work/large/large.kzm"
echo "Peak resident size of a load of large.kzm: $(awk '{ printf "%.1f", $1 / 1024 }' "$work/rss") MB"

echo
echo "Spread of the runs (fastest-slowest ms)"
for key in large-vantrel large-unzip large-bsdtar large-miniunzip many-vantrel many-unzip \
  many-bsdtar many-miniunzip; do
  printf '%-16s %s\n' "$key" "$(spread_ms "$key")"
done
for n in "${counts[@]}"; do printf '%-16s %s\n' "n$n" "$(spread_ms "n$n")"; done
echo "Work folder on: $(df --output=fstype "$work" | tail -1)"
echo "Load average before and after: $load_before / $(cut -d' ' -f1-3 /proc/loadavg)"
