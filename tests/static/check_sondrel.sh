#!/bin/bash
# Checks the 32-bit sondrel.exe that users install: a PE32 i386 GUI program
# that imports only system libraries, with its manifest, both progress dialogs
# and the string table in English and Japanese.
# Usage: check_sondrel.sh <i686 build directory>
set -u
program="$1/sondrel.exe"
expected_dir=$(dirname "$0")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

[ -f "$program" ] || { echo "FAIL: $program does not exist (build the win32 target)"; exit 1; }
headers=$(i686-w64-mingw32-objdump -p "$program") || { echo "FAIL: objdump cannot read $program"; exit 1; }

grep -q 'file format pei-i386' <<<"$headers" || fail "not an i386 PE file"
grep -Eq '^Magic[[:space:]]+010b' <<<"$headers" || fail "not PE32 (optional header magic is not 010b)"
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "subsystem is not Windows GUI (2)"

# Exactly the system libraries the shell, the renderer and the playback need:
# anything else (a runtime DLL of the compiler, a library users may not have)
# would keep the program from starting on a user's machine.
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
allowed="comctl32.dll kernel32.dll msvcrt.dll shlwapi.dll user32.dll winmm.dll "
[ "$imports" = "$allowed" ] || fail "imports are '$imports', expected '$allowed'"

resources=$(i686-w64-mingw32-windres -i "$program" -J coff -O rc 2>&1) || fail "windres cannot read the resources"

# Dialogs 101 and 102 and the string table, both languages, as decompiled
# text without the comments (class names come out in capitals from windres).
actual=$(sed -n '/Type: dialog/,/Type: \(version\|24\)/p' <<<"$resources" | grep -v -e '^/\*' -e '^ *Name:' -e '^$' -e 'Type: version' -e 'Type: 24')
expected=$(grep -v '^#' "$expected_dir/sondrel_resources.rc.expected")
if [ "$actual" != "$expected" ]; then
  fail "dialogs or strings differ from sondrel_resources.rc.expected:"
  diff <(echo "$expected") <(echo "$actual")
fi

# The manifest (type 24, id 1), as one line of text.
manifest=$(sed -n '/^1 24 /,/^END/p' <<<"$resources" | sed -n 's/^ *"\(.*\)"$/\1/p' | sed 's/""/"/g; s/\\n/ /g' | tr -s ' \n' ' ')
[ -n "$manifest" ] || fail "no manifest resource 1 of type 24"
identity=$(grep -o '<assemblyIdentity [^>]*>' <<<"$manifest" | head -1)
for attribute in 'name="Sondrel"' 'version="1.0.0.0"' 'processorArchitecture="X86"' 'type="win32"'; do
  grep -qF "$attribute" <<<"$identity" || fail "manifest identity lacks $attribute: $identity"
done
dependency=$(grep -o '<dependentAssembly> *<assemblyIdentity [^>]*>' <<<"$manifest")
for attribute in 'name="Microsoft.Windows.Common-Controls"' 'version="6.0.0.0"' \
  'publicKeyToken="6595b64144ccf1df"' 'language="*"' 'type="win32"'; do
  grep -qF "$attribute" <<<"$dependency" || fail "Common Controls dependency lacks $attribute: $dependency"
done
level=$(grep -o '<requestedExecutionLevel [^>]*>' <<<"$manifest")
for attribute in 'level="asInvoker"' 'uiAccess="false"'; do
  grep -qF "$attribute" <<<"$level" || fail "execution level lacks $attribute: $level"
done

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed for $program"
  exit 1
fi
echo "sondrel.exe: PE32 i386 GUI, imports $imports; manifest, dialogs and strings in English and Japanese"
