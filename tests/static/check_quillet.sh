#!/bin/bash
# Checks the 32-bit quillet.exe that users install: a PE32 i386 GUI program
# that imports only the system libraries its dialog and the registry need
# (no common controls library: the dialog uses only the standard controls),
# with its manifest and dialog 129 in English and Japanese.
# Usage: check_quillet.sh <i686 build directory>
set -u
program="$1/quillet.exe"
. "$(dirname "$0")/common/pe_checks.sh"
read_program
check_pe32_gui
check_imports "advapi32.dll kernel32.dll msvcrt.dll user32.dll "
check_dialogs_and_strings "$(dirname "$0")/quillet_resources.rc.expected"
check_manifest Quillet
finish "quillet.exe: PE32 i386 GUI, imports $imports; manifest, dialog 129 in English and Japanese"
