#!/bin/sh
# Installs what is missing and builds everything (scripts/build.sh, whose
# x86_64 programs the Wine benchmarks render with), builds the benchmarks
# optimised and without sanitizers (build-bench/) and runs each one, then the
# render benchmark of speed and memory under Wine (bench/speed_bench.sh);
# figures go to standard output.
set -eu
cd "$(dirname "$0")/.."
sh scripts/build.sh >/dev/null
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DSONDREL_SANITIZE=OFF -DSONDREL_WINDOWS_BUILDS=OFF \
  -DSONDREL_BENCHMARKS=ON >/dev/null
cmake --build build-bench >/dev/null
for program in build-bench/bench/*_bench; do
  [ -x "$program" ] || continue
  echo "== $(basename "$program")"
  "$program" "$@"
done
echo "== speed_bench.sh (renders under Wine)"
sh bench/speed_bench.sh
