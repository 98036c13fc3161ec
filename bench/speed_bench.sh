#!/bin/sh
# Speed and memory of sondrel's renders under Wine, each figure the best of
# RUNS runs (default 3) of the whole sondrel.exe process, Wine start included:
#
# 1. Resampling ahead of the scripts: a cold render of 200 notes in script
#    mode with a stand-in resampler (argtool.exe) that burns 100 ms of CPU per
#    note and writes a real cache file through the reference resampler
#    library, with ResamplerRuns=1 and with the default of one run per
#    processor; the resampler part of each is the cold render minus a warm
#    one (every cache file kept, so no resampler runs).
# 2. sondrel's own cost per note in DLL mode, with tool libraries that do
#    nothing but create the cache file and the output: renders of 1, 1,000 and
#    4,000 notes; the libraries report the time spent inside them, which is
#    taken out, and the one-note render gives the fixed cost.
# 3. Peak working set (the Linux process's VmHWM, which is what Wine reports as
#    the peak working set) of a 4,000-note whole track over a 60,000-line voice
#    bank in DLL mode, beside an empty render (no notes, empty bank).
#
#   sh bench/speed_bench.sh
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-3}
bench="$root/build/speed-bench"
. "$root/bench/wine_bench.sh"

# own_cost <host dir> <song> <requests>: "<elapsed ms> <ms outside the tool
# libraries> <µs a request costs in the request loop>", each the best of the
# runs. The loop runs from the start of the first library call to the end of
# the last; the time inside the libraries is taken out of it.
own_cost() {
  best_total="" best_own="" best_loop=""
  i=0
  while [ $i -lt "$runs" ]; do
    rm -f "$bench/tool-time"
    total=$(render "$1" "$2")
    figures=$(awk -v n="$3" '{ s += $1; if (!f || $2 < f) f = $2; if ($3 > l) l = $3 }
      END { printf "%d %d", s / 1000, (l - f - s) / n }' "$bench/tool-time")
    own=$((total - ${figures% *}))
    loop=${figures#* }
    if [ -z "$best_total" ] || [ "$total" -lt "$best_total" ]; then best_total=$total; fi
    if [ -z "$best_own" ] || [ "$own" -lt "$best_own" ]; then best_own=$own; fi
    if [ -z "$best_loop" ] || [ "$loop" -lt "$best_loop" ]; then best_loop=$loop; fi
    i=$((i + 1))
  done
  echo "$best_total $best_own $best_loop"
}

# busy_best <host dir> <song> <options...>: "<elapsed ms> <processors busy>"
# of the fastest of the runs; the second figure is the machine's average
# number of busy processors during that run, from /proc/stat (other work on
# the machine counts too).
busy_best() {
  best_ms="" best_busy=""
  i=0
  while [ $i -lt "$runs" ]; do
    before=$(awk '/^cpu / { print $2 + $3 + $4 + $7 + $8, $5 + $6 }' /proc/stat)
    ms=$(render "$@")
    after=$(awk '/^cpu / { print $2 + $3 + $4 + $7 + $8, $5 + $6 }' /proc/stat)
    busy=$(echo "$before $after" | awk -v n="$(nproc)" '{ printf "%.2f", ($3 - $1) / ($3 - $1 + $4 - $2) * n }')
    if [ -z "$best_ms" ] || [ "$ms" -lt "$best_ms" ]; then best_ms=$ms best_busy=$busy; fi
    i=$((i + 1))
  done
  echo "$best_ms $best_busy"
}

# peak_kib <host dir> <song>: the render's peak resident set in KiB, the
# highest VmHWM read while it runs (VmHWM only grows).
peak_kib() {
  dir=$1
  cp "$2" "$dir/temp/plugin.tmp"
  rm -rf "$dir/temp/plugin.cache" "$dir/temp/"*.wav
  (cd "$dir/temp" && exec /usr/lib/wine/wine64 "$dir/plugins/sondrel/sondrel.exe" \
    "$(winpath "$dir/temp/plugin.tmp")" /noplay </dev/null >/dev/null 2>&1) &
  pid=$!
  peak=0
  while kill -0 "$pid" 2>/dev/null; do
    now=$(awk '/^VmHWM/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
    if [ -n "$now" ] && [ "$now" -gt "$peak" ]; then peak=$now; fi
    sleep 0.01
  done
  wait "$pid"
  echo "$peak"
}

# bank <dir> <lines>: an oto.ini of that many lines, aliases k0 ... k<lines-1>.
bank() {
  rm -rf "$1"
  mkdir -p "$1"
  awk -v n="$2" 'BEGIN { for (i = 0; i < n; i++) printf "s%d.wav=k%d,10.5,120,-30,60,15\r\n", i, i }' >"$1/oto.ini"
}

wine_bench_start
echo "machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), load $(cut -d' ' -f1-3 /proc/loadavg)"

echo "== resampling ahead of the scripts: 200 notes, script mode, a resampler that burns 100 ms of CPU a note (best of $runs)"
host "$bench/burn" "$argtool" "$build/wavtool.exe" "$build/resampler10.dll" "$build/wavtool2.dll"
song 200 >"$bench/song200.ust"
setting "$bench/burn" 0 'ResamplerRuns=1\r\n'
export STANDIN_BURN_MS=100 STANDIN_OUTPUT=resample
set -- $(busy_best "$bench/burn" "$bench/song200.ust")
one=$1 one_busy=$2
setting "$bench/burn" 0
set -- $(busy_best "$bench/burn" "$bench/song200.ust")
all=$1 all_busy=$2
rm -rf "$bench/burn/temp/plugin.cache"
render "$bench/burn" "$bench/song200.ust" /nodeletecache >/dev/null
set -- $(busy_best "$bench/burn" "$bench/song200.ust" /nodeletecache)
warm=$1 warm_busy=$2
unset STANDIN_BURN_MS STANDIN_OUTPUT
awk -v one="$one" -v all="$all" -v warm="$warm" -v n="$(nproc)" -v b1="$one_busy" -v bn="$all_busy" -v bw="$warm_busy" 'BEGIN {
  printf "%-28s %10s %18s %16s\n", "", "render ms", "resampler part ms", "processors busy"
  printf "%-28s %10d %18d %16s\n", "ResamplerRuns=1", one, one - warm, b1
  printf "%-28s %10d %18d %16s\n", "one per processor (" n ")", all, all - warm, bn
  printf "%-28s %10d %18s %16s\n", "warm cache (no resampler)", warm, "", bw
  printf "speed-up: whole render %.2f, resampler part %.2f (goal %.1f)\n", one / all, (one - warm) / (all - warm), 0.8 * n }'

echo "== sondrel's own cost per note, DLL mode, do-nothing tool libraries (best of $runs)"
host "$bench/dll" "$argtool" "$argtool" "$fakes/resampler/resampler10.dll" "$fakes/wavtool/wavtool2.dll"
setting "$bench/dll" 1
export STANDIN_TOOL_TIME="$(winpath "$bench/tool-time")"
for n in 1 1000 4000; do
  song "$n" >"$bench/song$n.ust"
  # Every tenth note is a rest; all are requests.
  set -- $(own_cost "$bench/dll" "$bench/song$n.ust" "$n")
  eval "total$n=$1 own$n=$2 loop$n=$3"
done
unset STANDIN_TOOL_TIME
echo "whole process: (render of n notes - render of 1 note) / (n - 1); request loop: time between the"
echo "first and the last library call, less the time inside the libraries, / n"
printf '%-6s %10s %14s %16s %16s %14s\n' notes "render ms" "outside tools" "per note (all)" "per note (own)" "loop µs/note"
for n in 1 1000 4000; do
  eval "t=\$total$n o=\$own$n l=\$loop$n"
  awk -v n="$n" -v t="$t" -v o="$o" -v l="$l" -v t1="$total1" -v o1="$own1" 'BEGIN {
    if (n == 1) { printf "%-6s %10d %14d %16s %16s %14d\n", n, t, o, "", "", l; exit }
    printf "%-6s %10d %14d %13.3f ms %13.3f ms %14d\n", n, t, o, (t - t1) / (n - 1), (o - o1) / (n - 1), l }'
done
awk -v a="$loop1000" -v b="$loop4000" 'BEGIN { printf "request loop, 4,000 to 1,000 notes: %.2f\n", b / a }'

echo "== peak working set, DLL mode, do-nothing tool libraries"
bank "$bench/bank" 60000
mkdir -p "$bench/empty-bank"
song 4000 "$(winpath "$bench/bank")" "[#TRACKEND]" >"$bench/whole.ust"
printf '[#SETTING]\r\nTempo=140\r\nVoiceDir=%s\r\n' "$(winpath "$bench/empty-bank")" >"$bench/empty.ust"
empty=$(peak_kib "$bench/dll" "$bench/empty.ust")
whole=$(peak_kib "$bench/dll" "$bench/whole.ust")
awk -v e="$empty" -v w="$whole" 'BEGIN {
  printf "empty render: %.1f MiB; 4,000-note whole track over 60,000 oto.ini lines: %.1f MiB (%.1f MiB above)\n",
    e / 1024, w / 1024, (w - e) / 1024 }'
