#!/bin/sh
# Builds the release: installs what is missing, builds the 32-bit programs and
# the demo voice bank, and packs build/release/<name>-<version>.zip with its
# SHA-256 file. Then builds the same sources a second time in another folder
# and checks that the second zip is byte for byte the first (no build path,
# date or order of the file system may leak into it). Prints the zip's path
# and its checksum; the details of every step go to build/release.log.
#
#   sh scripts/release.sh
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
mkdir -p build
log="$root/build/release.log"
: >"$log"
fail() {
  echo "failed: $1; details in $log" >&2
  exit 1
}
configure() {
  source_dir=$1 build_dir=$2
  shift 2
  cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "$@"
}

echo "installing what is missing ..."
sh scripts/install-deps.sh >>"$log" 2>&1 || fail "installing the packages"

echo "building the 32-bit release ..."
{ [ -f build/build.ninja ] || configure . build; } >>"$log" 2>&1 || fail "configuring the build"
cmake --build build --target release_zip >>"$log" 2>&1 || fail "building the release"
set -- build/release/*.zip
zip="$root/$1"

# The second build starts from the tracked files as they are now (a commit of
# the working tree that touches neither the tree nor the index), like a clean
# clone, in a folder of another name.
echo "checking that a second build gives the same zip ..."
check="$root/build/release-check"
rm -rf "$check"
mkdir -p "$check/source"
commit=$(git -c user.name=release -c user.email=release@localhost stash create 2>>"$log") || fail "reading the sources from git"
git archive "${commit:-HEAD}" 2>>"$log" | tar -x -C "$check/source" || fail "copying the sources"
{ configure "$check/source" "$check/build" -DSONDREL_WINE_TESTS=OFF && cmake --build "$check/build" --target release_zip; } >>"$log" 2>&1 ||
  fail "the second build"
set -- "$check"/build/release/*.zip
if ! cmp "$zip" "$1" >>"$log" 2>&1; then
  fail "the second build gave another zip ($1): the release is not reproducible"
fi
rm -rf "$check"

echo "release: $zip"
echo "sha256:  $zip.sha256 ($(cut -d' ' -f1 "$zip.sha256"))"
