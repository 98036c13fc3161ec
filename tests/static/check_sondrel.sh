#!/bin/bash
# Checks the 32-bit sondrel.exe that users install: a PE32 i386 GUI program
# that imports only the system libraries the shell, the renderer and the
# playback need, with its manifest, both progress dialogs and the string
# table in English and Japanese.
# Usage: check_sondrel.sh <i686 build directory>
set -u
program="$1/sondrel.exe"
. "$(dirname "$0")/common/pe_checks.sh"
read_program
check_pe32_gui
check_imports "comctl32.dll kernel32.dll msvcrt.dll shlwapi.dll user32.dll winmm.dll "
check_dialogs_and_strings "$(dirname "$0")/sondrel_resources.rc.expected"
check_manifest Sondrel
finish "sondrel.exe: PE32 i386 GUI, imports $imports; manifest, dialogs and strings in English and Japanese"
