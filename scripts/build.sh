#!/bin/sh
# Installs what is missing (scripts/install-deps.sh, as root on Debian 12) and
# builds all three targets into fixed places:
#   build/win32/  the 32-bit release programs and tool libraries (what users install)
#   build/win64/  the x86_64 build that the Wine tests run
#   build/        the native build of the portable code, its tests and fuzzers
#   build/release/  the release zip packed from build/win32/ and its SHA-256 file
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build
