#!/bin/sh
# Installs the Debian packages the build and the tests need, when missing, and
# the locales the Wine tests switch to. Runs as root on a fresh Debian machine.
set -eu
packages="cmake ninja-build clang libclang-rt-14-dev g++ googletest \
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64 wine64 xvfb \
  locales imagemagick x11-apps x11-utils file fonts-droid-fallback fonts-vlgothic zip unzip git"
# fonts-vlgothic: a Japanese Gothic with Latin letters, so that the Japanese
# dialogs under Wine draw digits and "OK" instead of empty boxes.
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends $missing
fi
need_gen=""
for l in ja_JP.UTF-8 de_DE.UTF-8 en_US.UTF-8; do
  short=$(echo "$l" | sed 's/UTF-8/utf8/')
  locale -a 2>/dev/null | grep -qx "$short" || need_gen=1
done
if [ -n "$need_gen" ]; then
  sed -i -E 's/^# *(ja_JP.UTF-8|de_DE.UTF-8|en_US.UTF-8) /\1 /' /etc/locale.gen
  locale-gen >/dev/null
fi
