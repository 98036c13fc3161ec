#!/bin/sh
# The 32-bit tool libraries export exactly the undecorated entry points that
# sondrel looks up, and the tools import nothing but system libraries.
set -eu
tree=$1
fail=0
exports() {
  i686-w64-mingw32-objdump -p "$tree/$1" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' | sort | tr '\n' ' '
}
check_exports() {
  got=$(exports "$1")
  if [ "$got" != "$2" ]; then
    echo "$1: expected exports '$2', got '$got'"
    fail=1
  fi
}
check_exports resampler10.dll "exec "
check_exports wavtool2.dll "append_files exec "
for file in resampler10.dll wavtool2.dll resampler.exe wavtool.exe; do
  imports=$(i686-w64-mingw32-objdump -p "$tree/$file" | sed -n 's/^[[:space:]]*DLL Name: //p' |
    tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
  if [ "$imports" != "kernel32.dll msvcrt.dll " ]; then
    echo "$file: expected imports 'kernel32.dll msvcrt.dll ', got '$imports'"
    fail=1
  fi
  if ! i686-w64-mingw32-objdump -f "$tree/$file" | grep -q 'file format pei-i386'; then
    echo "$file: not a 32-bit x86 image"
    fail=1
  fi
done
exit $fail
