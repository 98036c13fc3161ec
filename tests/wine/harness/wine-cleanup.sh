#!/bin/sh
# Ends the Wine processes and the Xvfb of this build's test run, and nothing else.
state=$1
if [ -d "$state/prefix" ]; then
  WINEPREFIX="$state/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
fi
if [ -f "$state/xvfb.pid" ]; then
  kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
  rm -f "$state/xvfb.pid"
fi
exit 0
