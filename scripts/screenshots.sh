#!/bin/sh
# Makes the screenshots of sondrel's progress dialogs in docs/screenshots/:
# templates 101 (script mode with ResamplerRuns=1) and 102 (with progress bar:
# DLL mode, and script mode resampling ahead of its scripts), each in
# English and Japanese. The dialogs are shown by the test build of sondrel,
# whose render waits for Cancel, under Wine on a private Xvfb display.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
sh scripts/build.sh >/dev/null
root=$(pwd)
state="$root/build/screenshots"
out="$root/docs/screenshots"
mkdir -p "$out"
sh tests/wine/harness/wine-setup.sh "$state" >/dev/null
trap 'sh "$root/tests/wine/harness/wine-cleanup.sh" "$state"' EXIT
export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY="$(cat "$state/display")"

for template in 101 102; do
  host="$state/host$template"
  mkdir -p "$host/plugins/sondrel"
  cp build/win64/tests/wine/shell/sondrel_fake.exe "$host/plugins/sondrel/sondrel.exe"
  [ "$template" = 102 ] && use_dll=1 || use_dll=0
  printf 'UseDLL=%s\r\nResamplerRuns=1\r\n' "$use_dll" >"$host/setting.ini"
  for language in en ja; do
    [ "$language" = ja ] && lang=ja_JP.UTF-8 || lang=en_US.UTF-8
    printf '[#SETTING]\r\n' >"$state/plugin.tmp"
    LANG=$lang SONDREL_FAKE=wait /usr/lib/wine/wine64 "$host/plugins/sondrel/sondrel.exe" \
      "Z:$(echo "$state/plugin.tmp" | tr / '\\')" >/dev/null 2>&1 &
    program=$!
    window=""
    i=0
    while [ -z "$window" ] && [ $i -lt 100 ]; do
      sleep 0.2
      window=$(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) "TARV".*/\1/p' | head -1)
      i=$((i + 1))
    done
    [ -n "$window" ] || { echo "no dialog for template $template ($language)" >&2; exit 1; }
    sleep 1
    import -window "$window" "$out/sondrel-$template-$language.png"
    kill "$program"
    wait "$program" 2>/dev/null || true
    echo "$out/sondrel-$template-$language.png"
  done
done
