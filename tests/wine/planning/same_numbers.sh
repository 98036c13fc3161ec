#!/bin/sh
# The i686 and the x86_64 build of number_dump.exe over the same seeded songs:
# their dumps (tool arguments, scripts, merged plug-in files, the reference
# tools' WAVs) must be byte for byte the same.
# Usage: same_numbers.sh <wine state directory> <i686 dump program> <x86_64 dump program> <scratch folder> <seeds>
set -u
state=$1 i686=$2 x86_64=$3 scratch=$4 seeds=$5
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
rm -rf "$scratch"
mkdir -p "$scratch"
for arch in i686 x86_64; do
  eval program=\$$arch
  rm -rf "$scratch/work"
  WINE_TEST_SECONDS=250 "$state/run.sh" "$program" "$(winpath "$scratch/work")" 1 "$seeds" \
    "$(winpath "$scratch/$arch.txt")" || { echo "FAIL: the $arch dump ended with $?"; exit 1; }
done
if ! cmp -s "$scratch/i686.txt" "$scratch/x86_64.txt"; then
  echo "FAIL: the i686 and the x86_64 build differ:"
  diff "$scratch/i686.txt" "$scratch/x86_64.txt" | head -20
  exit 1
fi
echo "$seeds songs, $(grep -c '^resampler|' "$scratch/i686.txt") resampler calls: the same bytes on both architectures"
