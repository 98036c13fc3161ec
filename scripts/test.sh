#!/bin/sh
# Installs what is missing, builds everything (scripts/build.sh) and runs
# every test (labels unit, wine and fuzz).
set -eu
cd "$(dirname "$0")/.."
sh scripts/build.sh
ctest --test-dir build --output-on-failure -j2 "$@"
