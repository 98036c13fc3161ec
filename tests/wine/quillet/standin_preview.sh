#!/bin/sh
# quillet end to end from the host stand-in: tools/host/host-standin.sh runs
# quillet on the bundled example the way the host editor starts it, while
# quillet_standin_driver.exe previews a graded flag through the real i686
# sondrel (DLL mode, the i686 reference tool libraries) and presses OK; the
# stand-in must end with 0. quillet itself is the x86_64 build, whose dialog
# opens under Wine 8's WoW64.
# Usage: standin_preview.sh <wine state directory> <x86_64 build directory> <i686 build directory> <source directory>
set -u
state=$1 build=$2 release_build=$3 source=$4
export WINEPREFIX="$state/prefix" DISPLAY="$(cat "$state/display")" WINEDEBUG=-all
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
host="$build/test_tmp/quillet_standin"
log="$build/test_tmp/quillet_standin.log"
mkdir -p "$build/test_tmp"
rm -f "$log"
REFTOOL_LOG=$(winpath "$log") sh "$source/tools/host/host-standin.sh" --plugin quillet --mode dll \
  --build "$release_build" --quillet-build "$build" --host "$host" --timeout 200 "$source/examples/example.ust" \
  >"$host.out" 2>&1 &
standin=$!
QUILLET_STANDIN_HOST=$(winpath "$host") QUILLET_STANDIN_LOG=$(winpath "$log") WINE_TEST_SECONDS=200 \
  "$state/run.sh" "$build/tests/wine/quillet/quillet_standin_driver.exe"
driver=$?
wait "$standin"
standin_status=$?
echo "--- host stand-in (exit $standin_status):"
cat "$host.out"
[ "$driver" -eq 0 ] && [ "$standin_status" -eq 0 ]
