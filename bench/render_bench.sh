#!/bin/sh
# Render benchmark under Wine: a generated song of 200 notes rendered by the
# x86_64 sondrel.exe with the reference tools, in script mode and in DLL mode,
# cold (empty cache) and warm (every resampler result kept from the previous
# render), and once more with tools that do nothing, which leaves what sondrel
# itself, the interpreter and the process starts cost. Each figure is the
# best of RUNS runs (default 3) of the whole process, Wine start included;
# a render that fails stops the benchmark.
#
#   sh bench/render_bench.sh [notes]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
notes=${1:-200}
runs=${RUNS:-3}
cd "$root"
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build --target demo_bank win64 >/dev/null
build="$root/build/win64"
fakes="$build/tests/wine/execution/fakes"
bench="$root/build/render-bench"

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

# host <dir> <resampler.exe> <wavtool.exe> <resampler10.dll> <wavtool2.dll>
host() {
  rm -rf "$1"
  mkdir -p "$1/plugins/sondrel" "$1/temp"
  cp "$build/sondrel.exe" "$1/plugins/sondrel/"
  cp "$2" "$1/resampler.exe"
  cp "$3" "$1/wavtool.exe"
  cp "$4" "$1/resampler10.dll"
  cp "$5" "$1/wavtool2.dll"
}

# setting <dir> <UseDLL>
setting() {
  printf 'Tool1Path=wavtool.exe\r\nTool2Path=resampler.exe\r\nUseDLL=%s\r\nVoiceRoot=%s\r\n' \
    "$2" "$(winpath "$root/build/")" >"$1/setting.ini"
}

# The song: the demo bank's syllables over an octave and a half, every tenth
# note a rest, with a pitch bend and, on every third note, a vibrato.
song() {
  awk -v n="$1" 'BEGIN {
    printf "[#SETTING]\r\nTempo=140\r\nProjectName=bench\r\nVoiceDir=%%VOICE%%demo_bank\r\nMode2=True\r\n"
    split("ka a sa i ta u na e ma o", lyric, " ")
    for (i = 0; i < n; i++) {
      printf "[#%04d]\r\nLength=%d\r\n", i, (i % 4 == 3) ? 480 : 240
      if (i % 10 == 9) { printf "Lyric=R\r\nNoteNum=60\r\n"; continue }
      printf "Lyric=%s\r\nNoteNum=%d\r\nPreUtterance=\r\nIntensity=100\r\n", lyric[i % 10 + 1], 55 + (i * 7) % 18
      printf "PBS=-30;0\r\nPBW=60\r\nPBY=\r\nPBM=\r\n"
      if (i % 3 == 0) printf "VBR=65,180,35,20,20,0,0\r\n"
    }
  }'
}

# render <host dir> <plug-in content file> <options...>: elapsed ms on stdout
render() {
  dir=$1 content=$2
  shift 2
  cp "$content" "$dir/temp/plugin.tmp"
  start=$(date +%s%N)
  (cd "$dir/temp" && /usr/lib/wine/wine64 "$dir/plugins/sondrel/sondrel.exe" \
    "$(winpath "$dir/temp/plugin.tmp")" /noplay "$@" </dev/null >/dev/null 2>&1) || {
    echo "render failed in $dir" >&2
    exit 1
  }
  echo $((($(date +%s%N) - start) / 1000000))
}

# best <runs> <command...>: the smallest of the printed figures
best() {
  count=$1
  shift
  min=""
  i=0
  while [ $i -lt "$count" ]; do
    t=$("$@")
    if [ -z "$min" ] || [ "$t" -lt "$min" ]; then min=$t; fi
    i=$((i + 1))
  done
  echo "$min"
}

warm() {
  rm -rf "$1/temp/plugin.cache"
  render "$@" /nodeletecache >/dev/null
  best "$runs" render "$@" /nodeletecache
}

# Wine: the test harness's conventions, with a prefix and display of its own.
state="$bench/wine"
mkdir -p "$state"
. "$root/tools/host/own_display.sh"
trap '[ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null; WINEPREFIX="$state/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT INT TERM
start_own_display 140
export DISPLAY WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" ARGTOOL_PARTS=1
[ -f "$WINEPREFIX/system.reg" ] || { /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 </dev/null; /usr/lib/wine/wineserver -w; }
/usr/lib/wine/wineserver -p 2>/dev/null &

song "$notes" >"$bench/song.ust"
song 1 >"$bench/one.ust"
host "$bench/ref" "$build/resampler.exe" "$build/wavtool.exe" "$build/resampler10.dll" "$build/wavtool2.dll"
# Do-nothing tools: the argument logger without a log, the fake libraries.
host "$bench/null" "$build/tests/wine/execution/argtool.exe" "$build/tests/wine/execution/argtool.exe" \
  "$fakes/resampler/resampler10.dll" "$fakes/wavtool/wavtool2.dll"
setting "$bench/ref" 1
render "$bench/ref" "$bench/song.ust" >/dev/null

echo "notes: $notes, best of $runs runs, ms of the whole sondrel.exe process under Wine"
printf '%-8s %10s %10s %12s %14s\n' mode cold warm null-tools one-note-null
for mode in script dll; do
  use=0
  [ "$mode" = script ] || use=1
  setting "$bench/ref" $use
  setting "$bench/null" $use
  cold=$(best "$runs" render "$bench/ref" "$bench/song.ust")
  hot=$(warm "$bench/ref" "$bench/song.ust")
  null=$(best "$runs" render "$bench/null" "$bench/song.ust")
  one=$(best "$runs" render "$bench/null" "$bench/one.ust")
  printf '%-8s %10s %10s %12s %14s\n' "$mode" "$cold" "$hot" "$null" "$one"
done
