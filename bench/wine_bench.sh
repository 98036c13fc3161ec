# Sourced by the benchmarks that render under Wine: a host layout around the
# x86_64 sondrel.exe, generated songs, timed renders, and a Wine prefix and
# display of the benchmark's own. The caller sets `root` (the source tree) and
# `bench` (a scratch directory under the build tree) and calls wine_bench_start.

build="$root/build/win64"
fakes="$build/tests/wine/execution/fakes"
argtool="$build/tests/wine/execution/argtool.exe"

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

# setting <dir> <UseDLL> [more setting.ini lines]
setting() {
  printf 'Tool1Path=wavtool.exe\r\nTool2Path=resampler.exe\r\nUseDLL=%s\r\nVoiceRoot=%s\r\n%b' \
    "$2" "$(winpath "$root/build/")" "${3:-}" >"$1/setting.ini"
}

# song <notes> [voice directory] [last line]: the demo bank's syllables over an
# octave and a half, every tenth note a rest, with a pitch bend and, on every
# third note, a vibrato. Another voice directory gets the aliases k0 ... k59999.
song() {
  # Through the environment: awk would read the backslashes of -v values as escapes.
  SONG_VOICE=${2:-%VOICE%demo_bank} SONG_LAST=${3:-} awk -v n="$1" 'BEGIN {
    voice = ENVIRON["SONG_VOICE"]; last = ENVIRON["SONG_LAST"]
    printf "[#SETTING]\r\nTempo=140\r\nProjectName=bench\r\nVoiceDir=%s\r\nMode2=True\r\n", voice
    split("ka a sa i ta u na e ma o", lyric, " ")
    for (i = 0; i < n; i++) {
      printf "[#%04d]\r\nLength=%d\r\n", i, (i % 4 == 3) ? 480 : 240
      if (i % 10 == 9) { printf "Lyric=R\r\nNoteNum=60\r\n"; continue }
      name = voice ~ /demo_bank$/ ? lyric[i % 10 + 1] : "k" (i * 37) % 60000
      printf "Lyric=%s\r\nNoteNum=%d\r\nPreUtterance=\r\nIntensity=100\r\n", name, 55 + (i * 7) % 18
      printf "PBS=-30;0\r\nPBW=60\r\nPBY=\r\nPBM=\r\n"
      if (i % 3 == 0) printf "VBR=65,180,35,20,20,0,0\r\n"
    }
    if (last != "") printf "%s\r\n", last
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

# Wine: the test harness's conventions, with a prefix and display of its own,
# and the build the benchmark needs.
wine_bench_start() {
  cd "$root"
  [ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  CMAKE_BUILD_PARALLEL_LEVEL=2 cmake --build build --target demo_bank win64 >/dev/null
  state="$bench/wine"
  mkdir -p "$state"
  . "$root/tools/host/own_display.sh"
  trap '[ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null; WINEPREFIX="$state/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT INT TERM
  start_own_display 140
  export DISPLAY WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" ARGTOOL_PARTS=1
  [ -f "$WINEPREFIX/system.reg" ] || { /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 </dev/null; /usr/lib/wine/wineserver -w; }
  /usr/lib/wine/wineserver -p 2>/dev/null &
}
