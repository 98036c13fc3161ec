#!/bin/sh
# Fixture set-up of a Wine test run: one Xvfb display and one fresh Wine
# prefix inside the build tree, with a persistent wineserver so that each test
# starts quickly. wine-cleanup.sh ends exactly these.
set -eu
state=$1
mkdir -p "$state"
sh "$(dirname "$0")/wine-cleanup.sh" "$state" || true

n=90
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 </dev/null &
echo $! >"$state/xvfb.pid"
echo ":$n" >"$state/display"
i=0
while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done

export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=":$n"
rm -rf "$WINEPREFIX"
/usr/lib/wine/wine64 wineboot -i >"$state/wineboot.log" 2>&1 </dev/null
# wineboot fills syswow64 and the x86 side-by-side assemblies (common controls
# 6 among them) when Wine has its i386 Windows libraries; without them no
# 32-bit program starts, and every i686 test would fail on its own.
if [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] ||
  ! ls -d "$WINEPREFIX"/drive_c/windows/winsxs/x86_microsoft.windows.common-controls_* >/dev/null 2>&1; then
  echo "wine-setup: the prefix has no 32-bit system files; run sh scripts/install-deps.sh (Wine's i386 libraries)" >&2
  exit 1
fi
# No window manager runs on the Xvfb display: Wine then draws the frames and
# captions itself, instead of waiting two seconds for a window manager to
# acknowledge each window that is hidden.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$state/wineboot.log" 2>&1 </dev/null
/usr/lib/wine/wineserver -w
setsid /usr/lib/wine/wineserver -p >/dev/null 2>&1 </dev/null &
echo "wine prefix $WINEPREFIX on display :$n"
