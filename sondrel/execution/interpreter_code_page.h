// The code page in which the command interpreter reads the main script's
// characters as they are written (interpreter_command.h). A script that the
// interpreter misread would hand the tools paths that do not exist, and the
// render would end "successfully" with silent notes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "execution/render_failure.h"

namespace sondrel {

// The code page to write the main script in and to switch the interpreter's
// console to: the ANSI code page when the interpreter reads `characters`
// (MainScript::characters, in the ANSI code page) as written there, which it
// does on Windows once chcp has switched its console; otherwise the OEM code
// page, when it reads them so there (Wine 8 reads batch files in the OEM code
// page whatever the console says). A probe script beside the scripts, in
// `directory`, shows which, run hidden; with no characters beyond ASCII,
// which read the same in every code page, none runs. Returns 0, 1223 when
// the cancel event (may be null) was signalled, or 1113
// (ERROR_NO_UNICODE_TRANSLATION) with `failure` filled when the interpreter
// reads the characters in neither code page.
int32_t chooseScriptCodePage(HANDLE cancelEvent, const std::string& directory, const std::string& characters,
                             unsigned& codePage, RenderFailure& failure);

// The script text (ANSI) in `codePage`; the characters that the code page
// lacks, which only the comment line can hold then, become "_".
std::string scriptInCodePage(const std::string& text, unsigned codePage);

}  // namespace sondrel
