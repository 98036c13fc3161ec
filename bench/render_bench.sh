#!/bin/sh
# Render benchmark under Wine: a generated song of 200 notes rendered by the
# x86_64 sondrel.exe with the reference tools, in script mode and in DLL mode,
# cold (empty cache) and warm (every resampler result kept from the previous
# render), and once more with tools that do nothing, which leaves what sondrel
# itself, the interpreter and the process starts cost. Each figure is the
# best of RUNS runs (default 3) of the whole process, Wine start included;
# a render that fails stops the benchmark. Script mode resamples one note after
# another inside the scripts (ResamplerRuns=1), without the pre-pass.
#
#   sh bench/render_bench.sh [notes]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
notes=${1:-200}
runs=${RUNS:-3}
bench="$root/build/render-bench"
. "$root/bench/wine_bench.sh"

warm() {
  rm -rf "$1/temp/plugin.cache"
  render "$@" /nodeletecache >/dev/null
  best "$runs" render "$@" /nodeletecache
}

wine_bench_start
song "$notes" >"$bench/song.ust"
song 1 >"$bench/one.ust"
host "$bench/ref" "$build/resampler.exe" "$build/wavtool.exe" "$build/resampler10.dll" "$build/wavtool2.dll"
# Do-nothing tools: the argument logger without a log, the fake libraries.
host "$bench/null" "$argtool" "$argtool" "$fakes/resampler/resampler10.dll" "$fakes/wavtool/wavtool2.dll"
setting "$bench/ref" 1
render "$bench/ref" "$bench/song.ust" >/dev/null

echo "notes: $notes, best of $runs runs, ms of the whole sondrel.exe process under Wine"
printf '%-8s %10s %10s %12s %14s\n' mode cold warm null-tools one-note-null
for mode in script dll; do
  use=0
  [ "$mode" = script ] || use=1
  setting "$bench/ref" $use 'ResamplerRuns=1\r\n'
  setting "$bench/null" $use 'ResamplerRuns=1\r\n'
  cold=$(best "$runs" render "$bench/ref" "$bench/song.ust")
  hot=$(warm "$bench/ref" "$bench/song.ust")
  null=$(best "$runs" render "$bench/null" "$bench/song.ust")
  one=$(best "$runs" render "$bench/null" "$bench/one.ust")
  printf '%-8s %10s %10s %12s %14s\n' "$mode" "$cold" "$hot" "$null" "$one"
done
