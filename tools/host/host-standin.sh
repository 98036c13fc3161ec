#!/bin/sh
# Host stand-in: does what the host editor does when it starts a plug-in, so
# that sondrel or quillet can be run on a song without the editor.
#
#   sh tools/host/host-standin.sh [options] <song.ust> [-- <plug-in options>]
#
#   --plugin sondrel|quillet
#                       the plug-in to start (default sondrel); both lie in
#                       plugins/sondrel/, and quillet previews through sondrel
#   --mode script|dll   render through the batch scripts (UseDLL=0, default)
#                       or through the tool libraries (UseDLL=1)
#   --build DIR         Windows build tree with sondrel and the tools
#                       (default: build/win32, the i686 build users install;
#                       wine64 runs it in its WoW64 mode)
#   --quillet-build DIR Windows build tree to take quillet.exe from (default:
#                       build/win64: Wine 8's WoW64 cannot create the combo
#                       box of the i686 quillet's dialog)
#   --host DIR          host directory to lay out (default: build/host-standin/host)
#   --voice-root DIR    VoiceRoot= of setting.ini (default: the directory above
#                       the build tree, where the native build puts demo_bank)
#   --timeout SECONDS   longest wait for the plug-in (default 300)
#
# It lays out the host directory (setting.ini with Tool1Path=, Tool2Path=,
# UseDLL= and VoiceRoot=; the tool programs and the tool libraries beside it;
# sondrel.exe and quillet.exe in plugins/sondrel/), writes the plug-in file from
# the song with CR LF line ends, starts the plug-in under Wine with the plug-in file's
# Windows path as first argument followed by the options after "--", waits,
# and prints the exit status and what the plug-in left in the plug-in file.
#
# Wine: WINEPREFIX and DISPLAY are used when set. Without WINEPREFIX a prefix
# of its own is made under build/host-standin/wine (about 10 s the first time)
# and its wineserver is ended afterwards; without DISPLAY an Xvfb of its own
# runs for the length of the call. Nothing else is started or stopped.
set -eu

root=$(cd "$(dirname "$0")/../.." && pwd)
plugin=sondrel
mode=script
build="$root/build/win32"
quillet_build="$root/build/win64"
host=""
voice_root=""
timeout_seconds=300
while [ $# -gt 0 ]; do
  case "$1" in
    --plugin) plugin=$2; shift 2 ;;
    --mode) mode=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --quillet-build) quillet_build=$2; shift 2 ;;
    --host) host=$2; shift 2 ;;
    --voice-root) voice_root=$2; shift 2 ;;
    --timeout) timeout_seconds=$2; shift 2 ;;
    --) shift; break ;;
    -*) echo "host-standin: unknown option $1" >&2; exit 2 ;;
    *) if [ -z "${song:-}" ]; then song=$1; shift; else break; fi ;;
  esac
done
if [ -z "${song:-}" ] || [ ! -f "$song" ]; then
  echo "usage: host-standin.sh [--plugin sondrel|quillet] [--mode script|dll] [--build DIR] [--quillet-build DIR] [--host DIR] [--voice-root DIR] song.ust [-- options]" >&2
  exit 2
fi
case "$mode" in
  script) use_dll=0 ;;
  dll) use_dll=1 ;;
  *) echo "host-standin: --mode is script or dll" >&2; exit 2 ;;
esac
case "$plugin" in
  sondrel|quillet) ;;
  *) echo "host-standin: --plugin is sondrel or quillet" >&2; exit 2 ;;
esac
build=$(cd "$build" && pwd)
quillet="$quillet_build/quillet.exe"
required_quillet=""
[ "$plugin" = sondrel ] || required_quillet=$quillet
for file in "$build/sondrel.exe" "$build/resampler.exe" "$build/wavtool.exe" "$build/resampler10.dll" \
  "$build/wavtool2.dll" ${required_quillet:+"$required_quillet"}; do
  if [ ! -f "$file" ]; then
    echo "host-standin: $file is missing; build first (sh scripts/build.sh)" >&2
    exit 2
  fi
done
[ -n "$host" ] || host="$(dirname "$build")/host-standin/host"
[ -n "$voice_root" ] || voice_root=$(dirname "$build")
state="$(dirname "$host")/wine"

# Z: is the root of the Unix file system in every Wine prefix.
winpath() {
  printf 'Z:%s' "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")" | tr / '\\'
}
crlf() {
  sed -e 's/\r$//' -e 's/$/\r/'
}

rm -rf "$host"
mkdir -p "$host/plugins/sondrel" "$host/temp"
cp "$build/sondrel.exe" "$host/plugins/sondrel/"
[ ! -f "$quillet" ] || cp "$quillet" "$host/plugins/sondrel/"
cp "$build/resampler.exe" "$build/wavtool.exe" "$build/resampler10.dll" "$build/wavtool2.dll" "$host/"
crlf >"$host/setting.ini" <<INI
Tool1Path=$(winpath "$host/wavtool.exe")
Tool2Path=$(winpath "$host/resampler.exe")
UseDLL=$use_dll
VoiceRoot=$(winpath "$voice_root")
INI
plugin_file="$host/temp/plugin.tmp"
crlf <"$song" >"$plugin_file"

. "$root/tools/host/own_display.sh"
own_prefix=""
cleanup() {
  if [ -n "$own_prefix" ]; then
    WINEPREFIX="$own_prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT INT TERM
start_own_display 120
export DISPLAY WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ -z "${WINEPREFIX:-}" ]; then
  own_prefix="$state/prefix"
  export WINEPREFIX="$own_prefix"
  # A prefix made before Wine had its i386 libraries has no 32-bit system
  # files; it is made anew.
  if [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$state"
    echo "host-standin: creating a Wine prefix in $WINEPREFIX" >&2
    /usr/lib/wine/wine64 wineboot -i >"$state/wineboot.log" 2>&1 </dev/null
    /usr/lib/wine/wineserver -w
  fi
fi

echo "host directory: $host"
printf 'plug-in file:   %s\n' "$(winpath "$plugin_file")"
status=0
(cd "$host/temp" && timeout -k 5 "$timeout_seconds" /usr/lib/wine/wine64 \
  "$host/plugins/sondrel/$plugin.exe" "$(winpath "$plugin_file")" "$@" </dev/null) || status=$?
echo "exit status: $status"
echo "plug-in file after the run ($(wc -c <"$plugin_file") bytes):"
sed -e 's/\r$//' "$plugin_file"
exit "$status"
