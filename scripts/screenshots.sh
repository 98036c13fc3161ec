#!/bin/sh
# Makes the screenshots of the dialogs in docs/screenshots/, each in English
# and Japanese: sondrel's progress dialog as template 101 (script mode with
# ResamplerRuns=1) and as template 102 at note 12 of 180, once counting the
# notes script mode resamples ahead and once showing a lyric in DLL mode, all
# shown by the test build of sondrel, whose render waits for Cancel; sondrel's
# failure message on a first start without tools, from the real sondrel; and
# quillet's editor dialog 129 on a song of eight notes with stored values.
# Everything runs under Wine on a private Xvfb display with a prefix of its
# own, with the x86_64 programs: Wine 8's WoW64 draws no content into the
# windows of the i686 ones.
#
# With a resolution other than 96 DPI (sh scripts/screenshots.sh 144), the
# pictures go to build/screenshots-<dpi>/ instead, for checking the dialogs
# at that scale.
set -eu
cd "$(dirname "$0")/.."
dpi=${1:-96}
sh scripts/build.sh >/dev/null
root=$(pwd)
state="$root/build/screenshots"
out="$root/docs/screenshots"
[ "$dpi" = 96 ] || out="$root/build/screenshots-$dpi"
mkdir -p "$out"
sh tests/wine/harness/wine-setup.sh "$state" >/dev/null
trap 'sh "$root/tests/wine/harness/wine-cleanup.sh" "$state"' EXIT
export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY="$(cat "$state/display")"
/usr/lib/wine/wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
plugin_file="$state/plugin.tmp"
windows_plugin_file="Z:$(echo "$plugin_file" | tr / '\\')"

# shoot WINDOW PICTURE: waits for the visible top-level window whose
# xwininfo line holds WINDOW (its caption and program, such as
# '"TARV": ("sondrel.exe"'), saves its picture, and ends the program started
# last.
shoot() {
  window=""
  i=0
  while [ -z "$window" ] && [ $i -lt 100 ]; do
    sleep 0.2
    window=$(xwininfo -root -children | grep -F "$1" | grep -v -e '"Default IME"' -e '(has no name)' |
      sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p' | head -1)
    i=$((i + 1))
  done
  [ -n "$window" ] || { echo "no window $1 for $2" >&2; exit 1; }
  sleep 1
  import -window "$window" "$2"
  kill "$program"
  wait "$program" 2>/dev/null || true
  echo "$2"
}
language_of() { [ "$1" = ja ] && echo ja_JP.UTF-8 || echo en_US.UTF-8; }

for picture in 101 resampling 102; do
  host="$state/host-$picture"
  mkdir -p "$host/plugins/sondrel"
  cp build/win64/tests/wine/shell/sondrel_fake.exe "$host/plugins/sondrel/sondrel.exe"
  case $picture in
    101) setting='UseDLL=0\r\nResamplerRuns=1\r\n' fake=wait lyric="" ;;
    resampling) setting='UseDLL=0\r\nResamplerRuns=4\r\n' fake=progress lyric="" ;;
    102) setting='UseDLL=1\r\n' fake=progress lyric=ka ;;
  esac
  printf "$setting" >"$host/setting.ini"
  for language in en ja; do
    printf '[#SETTING]\r\n' >"$plugin_file"
    LANG=$(language_of $language) SONDREL_FAKE=$fake SONDREL_FAKE_LYRIC=$lyric \
      /usr/lib/wine/wine64 "$host/plugins/sondrel/sondrel.exe" "$windows_plugin_file" >/dev/null 2>&1 &
    program=$!
    shoot '"TARV": ("sondrel.exe"' "$out/sondrel-$picture-$language.png"
  done
done

# A first start: setting.ini names no tools. The host lies on the prefix's
# drive C:, whose paths the message shows as a user's would look.
host="$WINEPREFIX/drive_c/TARV"
mkdir -p "$host/plugins/sondrel"
cp build/win64/sondrel.exe "$host/plugins/sondrel/sondrel.exe"
printf 'UseDLL=0\r\nResamplerRuns=1\r\n' >"$host/setting.ini"
for language in en ja; do
  printf '[#SETTING]\r\nTempo=120\r\n[#0000]\r\nLength=480\r\nLyric=a\r\nNoteNum=60\r\n' >"$plugin_file"
  LANG=$(language_of $language) /usr/lib/wine/wine64 "$host/plugins/sondrel/sondrel.exe" "$windows_plugin_file" \
    >/dev/null 2>&1 &
  program=$!
  shoot '"sondrel": ("sondrel.exe"' "$out/sondrel-failure-$language.png"
done

# The values a fill from 0 to 14 gives the notes C4 to G4, as quillet keeps
# them after an OK: 12-byte records of empty flag, note and value.
values=""
for i in 0 1 2 3 4 5 6 7; do
  values="$values$(printf '00000000%02x000000%02x000000' $((60 + i)) $((2 * i)))"
done
key='HKCU\Software\TARV Plugin\quillet'
/usr/lib/wine/wine64 reg add "$key" /v RangeHigh /t REG_DWORD /d 14 /f >/dev/null 2>&1
/usr/lib/wine/wine64 reg add "$key" /v Values /t REG_BINARY /d "$values" /f >/dev/null 2>&1
for language in en ja; do
  printf '[#0000]\r\nLyric=a\r\nNoteNum=60\r\n[#0001]\r\nLyric=i\r\nNoteNum=67\r\n' >"$plugin_file"
  LANG=$(language_of $language) /usr/lib/wine/wine64 build/win64/quillet.exe "$windows_plugin_file" >/dev/null 2>&1 &
  program=$!
  shoot '("quillet.exe"' "$out/quillet-129-$language.png"
done
