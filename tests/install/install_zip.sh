#!/bin/sh
# Installs the release zip the way the user guide says, into a fresh host
# layout, and renders the bundled example song from there in script mode and
# in DLL mode under Wine, with the zip's own i686 programs and reference tools
# (wine64 runs them in its WoW64 mode); each WAV must be audible and as long
# as the song, and both modes must give the same WAV.
# Usage: install_zip.sh <native build directory>
set -eu
build=$1
run="$build/wine/run.sh"
work="$build/install-test"
fail() { echo "FAIL: $*"; exit 1; }
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

set -- "$build"/release/*.zip
[ $# -eq 1 ] && [ -f "$1" ] || fail "expected one zip in $build/release"
zip=$1
rm -rf "$work"
mkdir -p "$work"
unzip -q "$zip" -d "$work/unpacked"
bundle="$work/unpacked/$(basename "$zip" .zip)"

host="$work/host"
mkdir -p "$host/plugins" "$host/temp" "$host/voice"
cp -R "$bundle/plugins/sondrel" "$host/plugins/"
cp -R "$bundle/reference-tools" "$host/"
cp "$bundle/reference-tools/resampler10.dll" "$bundle/reference-tools/wavtool2.dll" "$host/"
cp -R "$bundle/demo_bank" "$host/voice/"

# The song's length: the note sections' lengths in ticks at the song's tempo.
song_ms=$(awk -F= '
  /^\[/ { note = ($0 ~ /^\[#[0-9]/) }
  /^Tempo=/ { tempo = $2 + 0 }
  note && /^Length=/ { ticks += $2 }
  END { printf "%d", ticks * 125 / tempo }' "$bundle/example/example.ust")

for mode in script dll; do
  [ $mode = dll ] && use_dll=1 || use_dll=0
  printf 'VoiceRoot=%s\r\nTool1Path=reference-tools\\wavtool.exe\r\nTool2Path=reference-tools\\resampler.exe\r\nUseDLL=%s\r\n' \
    "$(winpath "$host/voice")" "$use_dll" >"$host/setting.ini"
  cp "$bundle/example/example.ust" "$host/temp/plugin.tmp"
  wav="$work/example-$mode.wav"
  status=0
  (cd "$host/temp" && WINE_TEST_SECONDS=120 sh "$run" "$host/plugins/sondrel/sondrel.exe" \
    "$(winpath "$host/temp/plugin.tmp")" /noplay /nodeletewav "/o:$(winpath "$wav")") || status=$?
  [ $status -eq 0 ] || fail "$mode mode: sondrel ended with status $status (124: it did not end, a failure message is probably waiting)"
  [ -f "$wav" ] || fail "$mode mode: no WAV at $wav"

  field() { od -An -t "u$2" -j "$1" -N "$2" "$wav" | tr -d ' '; }
  [ "$(head -c 4 "$wav")" = RIFF ] || fail "$mode mode: not a RIFF file"
  [ "$(field 22 2)/$(field 24 4)/$(field 34 2)" = 1/44100/16 ] ||
    fail "$mode mode: expected mono 44100 Hz 16-bit, got $(field 22 2)/$(field 24 4)/$(field 34 2)"
  wav_ms=$(($(field 40 4) / 2 * 1000 / 44100))
  [ $((wav_ms - song_ms)) -le 250 ] && [ $((song_ms - wav_ms)) -le 250 ] ||
    fail "$mode mode: the WAV lasts $wav_ms ms, the song $song_ms ms"
  level=$(od -An -v -t d2 -j 44 "$wav" | awk '
    { for (i = 1; i <= NF; i++) { s = $i < 0 ? -$i : $i; if (s > peak) peak = s; sum += $i * $i; n++ } }
    END { printf "%d %d", peak, n ? sqrt(sum / n) : 0 }')
  peak=${level% *}
  rms=${level#* }
  [ "$peak" -ge 3000 ] && [ "$rms" -ge 300 ] || fail "$mode mode: the WAV is (nearly) silent: peak $peak, RMS $rms"
  echo "$mode mode: $wav_ms ms of audio (song $song_ms ms), peak $peak, RMS $rms"
done
cmp -s "$work/example-script.wav" "$work/example-dll.wav" || fail "script mode and DLL mode rendered different WAVs"
