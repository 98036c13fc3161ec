#!/bin/sh
# Renders the bundled example song (examples/example.ust) with the reference
# tools and the demo voice bank, through the host stand-in under Wine, into
# build/example.wav. Installs what is missing and builds what the example
# needs (the demo voice bank and the i686 Windows build, which wine64 runs in
# its WoW64 mode) first. Prints one line per stage; the details go to
# build/render-example.log.
#
#   sh scripts/render-example.sh [script|dll]
set -eu
cd "$(dirname "$0")/.."
mode=${1:-script}
case "$mode" in
  script | dll) ;;
  *) echo "usage: sh scripts/render-example.sh [script|dll]" >&2; exit 2 ;;
esac
song=examples/example.ust
mkdir -p build
log="$(pwd)/build/render-example.log"
: >"$log"
fail() {
  echo "failed: $1; details in $log" >&2
  exit 1
}

echo "installing what is missing ..."
sh scripts/install-deps.sh >>"$log" 2>&1 || fail "installing the packages"

echo "building the demo voice bank and sondrel ..."
{
  [ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
  cmake --build build --target demo_bank win32
} >>"$log" 2>&1 || fail "building"

# Progress: the reference tools log every call; each request of the song ends
# with one wavtool call.
output="$(pwd)/build/example.wav"
calls="$(pwd)/build/example-calls.log"
rm -f "$output" "$calls"
requests=$(grep -c '^\[#[0-9]' "$song")
progress() {
  done_count=$(grep -c '^wavtool' "$calls" 2>/dev/null || true)
  printf '\rrendering %s (%s mode): %s of %s notes' "$song" "$mode" "${done_count:-0}" "$requests"
}
status=0
REFTOOL_LOG="Z:$(printf '%s' "$calls" | tr / '\\')" sh tools/host/host-standin.sh --mode "$mode" "$song" -- \
  /noplay /nodeletewav "/o:Z:$(printf '%s' "$output" | tr / '\\')" >>"$log" 2>&1 &
renderer=$!
if [ -t 1 ]; then
  while kill -0 "$renderer" 2>/dev/null; do
    progress
    sleep 0.3
  done
  progress
  echo
else
  echo "rendering $song ($mode mode) ..."
fi
wait "$renderer" || status=$?
[ "$status" -eq 0 ] || fail "rendering (sondrel ended with status $status)"
[ -f "$output" ] || fail "rendering (no WAV was written)"

# 44.1 kHz 16-bit mono as the wavtool writes it: the byte rate at offset 28,
# the data size at 40.
byte_rate=$(od -An -t u4 -j 28 -N 4 "$output" | tr -d ' ')
data_size=$(od -An -t u4 -j 40 -N 4 "$output" | tr -d ' ')
seconds=$(awk -v d="$data_size" -v r="$byte_rate" 'BEGIN { printf "%.2f", r ? d / r : 0 }')
echo "rendered: $output, $seconds seconds of audio"
