#!/bin/sh
# Installs what is missing, builds what the example needs (the demo voice bank
# and the x86_64 Windows build) and renders examples/example.ust through the host stand-in under
# Wine into build/example.wav.
#
#   sh scripts/render-example.sh [script|dll]
set -eu
cd "$(dirname "$0")/.."
mode=${1:-script}
sh scripts/install-deps.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build --target demo_bank win64 >/dev/null
output="$(pwd)/build/example.wav"
rm -f "$output"
status=0
sh tools/host/host-standin.sh --mode "$mode" examples/example.ust -- \
  /noplay /nodeletewav "/o:Z:$(printf '%s' "$output" | tr / '\\')" || status=$?
if [ -f "$output" ]; then
  echo "rendered: $output"
else
  echo "no WAV was rendered" >&2
fi
exit "$status"
