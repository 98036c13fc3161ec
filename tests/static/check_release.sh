#!/bin/bash
# Checks the release zip as users get it: its name and checksum, its layout,
# the guide in both languages, and every program in it: i686 PE32, GUI
# subsystem in the plug-in folder and console for the reference tools,
# exactly the system libraries it needs (a runtime DLL of the compiler or a
# library users may not have would keep it from starting), the undecorated
# entry points sondrel looks up in the tool libraries, the plug-ins' dialogs
# in English and Japanese against <program>_resources.rc.expected, their
# messages in both languages with the same inserts, their manifest, a version
# resource, no build path or link time.
# Usage: check_release.sh <release directory>
set -u
release_dir=$1
source_root=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

zips=("$release_dir"/*.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || { echo "FAIL: expected one zip in $release_dir, found: ${zips[*]}"; exit 1; }
zip=${zips[0]}
name=$(basename "$zip" .zip)
version=${name##*-}
product=${name%-*}
[[ $version =~ ^[0-9]+(\.[0-9]+){1,3}$ ]] || fail "zip name $name does not end in a version"
(cd "$release_dir" && sha256sum --quiet -c "$name.zip.sha256") || fail "$name.zip.sha256 does not match the zip"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work" || { echo "FAIL: unzip cannot read $zip"; exit 1; }
outside=$(cd "$work" && ls -A | grep -vx "$name")
[ -z "$outside" ] || fail "entries outside the folder $name/: $outside"
root="$work/$name"

for file in plugins/sondrel/sondrel.exe reference-tools/README.txt reference-tools/resampler.exe \
  reference-tools/wavtool.exe reference-tools/resampler10.dll reference-tools/wavtool2.dll \
  demo_bank/oto.ini demo_bank/prefix.map demo_bank/high/oto.ini example/example.ust LICENSE.txt \
  guide-en.html guide-ja.html guide.css; do
  [ -s "$root/$file" ] || fail "$file is missing or empty"
done
for picture in "$source_root"/docs/screenshots/*.png; do
  cmp -s "$picture" "$root/screenshots/$(basename "$picture")" || fail "screenshots/$(basename "$picture") is not the one in docs/"
done
grep -q $'\r$' "$root/example/example.ust" || fail "example.ust does not have CR LF line ends"

# Both guides are UTF-8 pages that say so, cover the same sections and every
# option and key a user needs, and show only pictures the zip holds (or
# pictures of a program the bundle does not ship yet).
sections() { grep -o ' id="[a-z-]*"' "$1" | sort | tr '\n' ' '; }
for language in en ja; do
  guide="$root/guide-$language.html"
  [ -f "$guide" ] || continue
  grep -qi '<meta charset="utf-8">' "$guide" || fail "guide-$language.html declares no UTF-8 charset"
  grep -q "<html lang=\"$language\">" "$guide" || fail "guide-$language.html is not marked as language $language"
  iconv -f UTF-8 -t UTF-8 "$guide" >/dev/null 2>&1 || fail "guide-$language.html is not valid UTF-8"
  for needed in 'id="install"' 'id="setting"' 'id="cancel"' 'id="command-line"' 'id="exit-codes"' \
    'id="cache"' 'id="failures"' 'id="quillet"' 'id="licence"' UseDLL=1 VoiceRoot= Tool1Path= Tool2Path= \
    Mode2= ResamplerRuns= /o: /m: /noplay /nodeletewav /nodeletecache /debug 1223 206 '.cache' LICENSE.txt; do
    grep -qF -- "$needed" "$guide" || fail "guide-$language.html does not cover $needed"
  done
  grep -qF "<b>$version</b>" "$guide" || fail "guide-$language.html does not name the version $version"
  for picture in $(grep -o '<img src="[^"]*"' "$guide" | sed 's/<img src="//; s/"$//'); do
    program=$(basename "$picture" | sed 's/-.*//')
    if [ ! -f "$root/$picture" ] && [ -f "$root/plugins/sondrel/$program.exe" ]; then
      fail "guide-$language.html shows $picture, which the zip does not hold"
    fi
  done
done
[ "$(sections "$root/guide-en.html")" = "$(sections "$root/guide-ja.html")" ] ||
  fail "the guides have different sections: $(sections "$root/guide-en.html") / $(sections "$root/guide-ja.html")"
grep -q 'レンダリング' "$root/guide-ja.html" || fail "guide-ja.html holds no Japanese text"

# Every status sondrel ends with has a row in both guides' table of exit codes
# (its own statuses, and the system's codes of a library that does not load
# and of an interpreter that misreads characters), and every setting.ini line
# it reads has its row in the table of settings.
codes="$(sed -n 's/^constexpr int32_t kStatus[A-Za-z]* = \([0-9]*\);.*/\1/p' "$source_root/base/status.h") 126 1113"
keys=$(cat "$source_root"/sondrel/shell/*.cpp | grep -oE '(^|[^L])"[A-Z][A-Za-z0-9]*="' | sed 's/^[^"]*"//; s/"$//' | sort -u)
[ "$(wc -w <<<"$keys")" -ge 6 ] || fail "the setting.ini keys could not be read from sondrel/shell: $keys"
for language in en ja; do
  for code in $codes; do
    grep -qF "<tr><td>$code</td>" "$root/guide-$language.html" || fail "guide-$language.html has no exit code row $code"
  done
  for key in $keys; do
    grep -qF "<tr><td><code>$key" "$root/guide-$language.html" || fail "guide-$language.html has no setting row $key"
  done
done
grep -q 'Permission is hereby granted' "$root/LICENSE.txt" || fail "LICENSE.txt is not the MIT licence"

# The imports and exports of a program, sorted, each followed by a blank.
imports_of() {
  case $1 in
    plugins/sondrel/sondrel.exe) echo "comctl32.dll kernel32.dll msvcrt.dll shlwapi.dll user32.dll winmm.dll " ;;
    plugins/sondrel/quillet.exe) echo "advapi32.dll kernel32.dll msvcrt.dll user32.dll " ;;
    *) echo "kernel32.dll msvcrt.dll " ;;
  esac
}
exports_of() {
  case $1 in
    */resampler10.dll) echo "exec " ;;
    */wavtool2.dll) echo "append_files exec " ;;
  esac
}
# Dialogs in every language as decompiled text without comments (windres
# prints class names in capitals), against the expected file without its #
# comment lines.
check_dialogs() {
  local actual expected
  actual=$(awk '/^\/\* Type: / { keep = ($3 == "dialog") } keep' <<<"$resources" |
    grep -v -e '^/\*' -e '^ *Name:' -e '^$')
  expected=$(grep -v '^#' "$1")
  [ "$actual" = "$expected" ] || { fail "$relative: dialogs differ from $(basename "$1"):"; diff <(echo "$expected") <(echo "$actual"); }
}
# The string tables as "language id insert" lines, an id without inserts as
# "language id": each message must exist in English (9) and Japanese (17)
# with the same inserts (in any order, each once or more), so that no language lacks a message
# or drops what fills it.
check_string_pairs() {
  local inserts
  inserts=$(awk '/^LANGUAGE / { language = $2 + 0 }
    /^STRINGTABLE/ { inside = 1; next }
    inside && /^END/ { inside = 0 }
    inside && /^ *[0-9]+, / {
      id = $1 + 0; text = $0; sub(/^ *[0-9]+, /, "", text); found = 0
      if (text == "\"\"" || text == "L\"\"") print language, id, "(empty)"
      while (match(text, /%[0-9]+|%d/)) { print language, id, substr(text, RSTART, RLENGTH); text = substr(text, RSTART + RLENGTH); found = 1 }
      if (!found) print language, id
    }' <<<"$resources")
  [ -n "$inserts" ] || { fail "$relative: no string table"; return; }
  grep -q '(empty)' <<<"$inserts" && fail "$relative: empty strings: $(grep '(empty)' <<<"$inserts")"
  local english japanese
  english=$(sed -n 's/^9 //p' <<<"$inserts" | sort -u)
  japanese=$(sed -n 's/^17 //p' <<<"$inserts" | sort -u)
  [ "$english" = "$japanese" ] ||
    { fail "$relative: English and Japanese messages differ in ids or inserts (< English, > Japanese):"; diff <(echo "$english") <(echo "$japanese"); }
}
# Resource 1 of type 24 names the assembly NAME, version 1.0.0.0 for X86, and
# asks for Common Controls 6 and the invoker's execution level; quillet's
# also declares the system's resolution (DPI) awareness, so that its dialog is
# drawn sharp at 125 % and more.
check_manifest() {
  local manifest identity dependency level attribute
  manifest=$(sed -n '/^1 24 /,/^END/p' <<<"$resources" | sed -n 's/^ *"\(.*\)"$/\1/p' |
    sed 's/""/"/g; s/\\n/ /g' | tr -s ' \n' ' ')
  identity=$(grep -o '<assemblyIdentity [^>]*>' <<<"$manifest" | head -1)
  for attribute in "name=\"$1\"" 'version="1.0.0.0"' 'processorArchitecture="X86"' 'type="win32"'; do
    grep -qF "$attribute" <<<"$identity" || fail "$relative: manifest identity lacks $attribute: $identity"
  done
  dependency=$(grep -o '<dependentAssembly> *<assemblyIdentity [^>]*>' <<<"$manifest")
  for attribute in 'name="Microsoft.Windows.Common-Controls"' 'version="6.0.0.0"' \
    'publicKeyToken="6595b64144ccf1df"' 'language="*"' 'type="win32"'; do
    grep -qF "$attribute" <<<"$dependency" || fail "$relative: Common Controls dependency lacks $attribute: $dependency"
  done
  level=$(grep -o '<requestedExecutionLevel [^>]*>' <<<"$manifest")
  for attribute in 'level="asInvoker"' 'uiAccess="false"'; do
    grep -qF "$attribute" <<<"$level" || fail "$relative: execution level lacks $attribute: $level"
  done
  if [ "$1" = Quillet ] &&
    ! grep -qF '<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true</dpiAware>' <<<"$manifest"; then
    fail "$relative: the manifest declares no DPI awareness"
  fi
}

check_program() {
  local file=$1 relative=${1#"$root"/} headers got resources name
  headers=$(i686-w64-mingw32-objdump -p "$file") || { fail "$relative: objdump cannot read it"; return; }
  grep -q 'file format pei-i386' <<<"$headers" || fail "$relative: not an i386 PE file"
  grep -Eq '^Magic[[:space:]]+010b' <<<"$headers" || fail "$relative: not PE32"
  case $relative in
    plugins/*.exe) grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "$relative: not a GUI program" ;;
    *.exe) grep -Eq '^Subsystem[[:space:]]+00000003' <<<"$headers" || fail "$relative: not a console program" ;;
  esac
  grep -Eq '^Time/Date[[:space:]]+Thu Jan  1 00:00:00 1970' <<<"$headers" || fail "$relative: carries a link time stamp"
  got=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
  [ "$got" = "$(imports_of "$relative")" ] || fail "$relative: imports '$got', expected '$(imports_of "$relative")'"
  got=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" | sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p' |
    sort | tr '\n' ' ')
  [ "$got" = "$(exports_of "$relative")" ] || fail "$relative: exports '$got', expected '$(exports_of "$relative")'"
  if grep -aqF -e "$source_root" "$file"; then fail "$relative: holds the build path $source_root"; fi

  resources=$(i686-w64-mingw32-windres -i "$file" -J coff -O rc 2>/dev/null)
  if [[ $relative == *.exe ]] && ! grep -q '^1 24 ' <<<"$resources"; then fail "$relative: no manifest"; fi
  if [[ $relative == plugins/*.exe ]]; then
    name=$(basename "$file" .exe)
    check_dialogs "$(dirname "$0")/${name}_resources.rc.expected"
    check_string_pairs
    check_manifest "${name^}"
  fi
  local numbers=${version//./,}
  while [ "$(tr -cd , <<<"$numbers" | wc -c)" -lt 3 ]; do numbers="$numbers,0"; done
  grep -E "^ *FILEVERSION " <<<"$resources" | tr -d " " | grep -qx "FILEVERSION$numbers" || fail "$relative: no version resource with FILEVERSION $numbers"
  for value in "\"ProductName\", \"$product\"" "\"ProductVersion\", \"$version\"" \
    "\"FileVersion\", \"$version\"" "\"OriginalFilename\", \"$(basename "$file")\""; do
    grep -qF "VALUE $value" <<<"$resources" || fail "$relative: version resource lacks $value"
  done
  grep -Eq 'VALUE "FileDescription", "[^"]+"' <<<"$resources" || fail "$relative: version resource has no description"
}
programs=0
while IFS= read -r -d '' file; do
  check_program "$file"
  programs=$((programs + 1))
done < <(find "$root" \( -iname '*.exe' -o -iname '*.dll' \) -print0 | sort -z)

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed for $zip"
  exit 1
fi
echo "$name.zip: layout, checksum, guides in English and Japanese; $programs programs and libraries i686 with version $version and exactly their imports and exports; manifests, dialogs and messages of the plug-ins"
