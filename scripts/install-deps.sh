#!/bin/sh
# Installs the Debian packages the build and the tests need, when missing, and
# the locales the Wine tests switch to. Runs as root on a fresh Debian 12
# machine; once everything is there, any user may run it (it then does
# nothing).
set -eu
as_root() {
  [ "$(id -u)" = 0 ] || { echo "install-deps.sh: $1 needs root: run sh scripts/install-deps.sh as root once" >&2; exit 1; }
}
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
  as_root "installing$missing"
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
  as_root "generating the locales ja_JP, de_DE and en_US"
  sed -i -E 's/^# *(ja_JP.UTF-8|de_DE.UTF-8|en_US.UTF-8) /\1 /' /etc/locale.gen
  locale-gen >/dev/null
fi

# wine64 runs 32-bit Windows programs in its WoW64 mode once it has Wine's
# i386 Windows libraries. Those are PE files, not Linux code: they come out of
# the libwine:i386 package of exactly the installed version, which is
# downloaded into build/deps (kept there for the next machine set-up) and
# unpacked, never installed. The stamp beside the copied files names the
# version they came from, so that an upgraded Wine gets its own libraries again.
wine_dir=/usr/lib/x86_64-linux-gnu/wine
version=$(dpkg-query -W -f='${Version}' libwine:amd64)
stamp="$wine_dir/i386-windows/libwine-i386.version"
if [ "$(cat "$stamp" 2>/dev/null)" != "$version" ]; then
  as_root "copying Wine's i386 libraries"
  cache="$(cd "$(dirname "$0")/.." && pwd)/build/deps/libwine-i386-$version"
  if [ ! -f "$cache/done" ]; then
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -qq
    mkdir -p "$cache"
    # apt's download user cannot write into a root-owned build tree; root
    # downloads it then, and apt says so in a warning.
    (cd "$cache" && apt-get download -qq "libwine:i386=$version")
    touch "$cache/done"
  fi
  unpacked=$(mktemp -d)
  dpkg-deb --fsys-tarfile "$cache"/libwine_*.deb | tar -x -C "$unpacked" ./usr/lib/i386-linux-gnu/wine/i386-windows
  cp "$unpacked"/usr/lib/i386-linux-gnu/wine/i386-windows/* "$wine_dir/i386-windows/"
  rm -rf "$unpacked"
  echo "$version" >"$stamp"
fi
