# Checks shared by the static checks of the 32-bit programs users install
# (check_<program>.sh), sourced by bash after setting `program`: a PE32 i386
# GUI program that imports exactly the given system libraries, whose dialogs
# and strings match an expected resource script text, and which carries its
# manifest. Each failed check is counted; finish reports and exits.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The program's headers and its resources as resource script text.
read_program() {
  [ -f "$program" ] || { echo "FAIL: $program does not exist (build the win32 target)"; exit 1; }
  headers=$(i686-w64-mingw32-objdump -p "$program") || { echo "FAIL: objdump cannot read $program"; exit 1; }
  resources=$(i686-w64-mingw32-windres -i "$program" -J coff -O rc 2>&1) || fail "windres cannot read the resources"
}

check_pe32_gui() {
  grep -q 'file format pei-i386' <<<"$headers" || fail "not an i386 PE file"
  grep -Eq '^Magic[[:space:]]+010b' <<<"$headers" || fail "not PE32 (optional header magic is not 010b)"
  grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "subsystem is not Windows GUI (2)"
}

# check_imports "a.dll b.dll ": exactly these libraries (lower case, sorted,
# each followed by a blank). Anything else (a runtime DLL of the compiler, a
# library users may not have) would keep the program from starting.
check_imports() {
  imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
  [ "$imports" = "$1" ] || fail "imports are '$imports', expected '$1'"
}

# check_dialogs_and_strings FILE: the dialog and string table resources in
# every language, as decompiled text without comments (class names come out
# in capitals from windres), against FILE without its # comment lines.
check_dialogs_and_strings() {
  local actual expected
  actual=$(awk '/^\/\* Type: / { keep = ($3 == "dialog" || $3 == "stringtable") } keep' <<<"$resources" |
    grep -v -e '^/\*' -e '^ *Name:' -e '^$')
  expected=$(grep -v '^#' "$1")
  if [ "$actual" != "$expected" ]; then
    fail "dialogs or strings differ from $(basename "$1"):"
    diff <(echo "$expected") <(echo "$actual")
  fi
}

# check_manifest NAME: resource 1 of type 24 with the assembly NAME, version
# 1.0.0.0 for X86, Common Controls 6 and the invoker's execution level.
check_manifest() {
  local manifest identity dependency level attribute
  manifest=$(sed -n '/^1 24 /,/^END/p' <<<"$resources" | sed -n 's/^ *"\(.*\)"$/\1/p' |
    sed 's/""/"/g; s/\\n/ /g' | tr -s ' \n' ' ')
  [ -n "$manifest" ] || fail "no manifest resource 1 of type 24"
  identity=$(grep -o '<assemblyIdentity [^>]*>' <<<"$manifest" | head -1)
  for attribute in "name=\"$1\"" 'version="1.0.0.0"' 'processorArchitecture="X86"' 'type="win32"'; do
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
}

# finish SUMMARY: the summary when every check passed, else the count.
finish() {
  if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed for $program"
    exit 1
  fi
  echo "$1"
}
