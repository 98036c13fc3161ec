// How sondrel starts the command interpreter on a script, and the probe that
// shows in which code page the interpreter reads a script's characters.
//
// The scripts are written in the ANSI code page. The interpreter reads each
// line of a batch file in the code page of its console's output on Windows,
// and in the OEM code page whatever the console says under Wine 8; a new
// console starts in the OEM code page (850 or 437 in Europe), or in one the
// user chose ("CodePage" under HKEY_CURRENT_USER\Console). So the system's
// chcp, run first in the same console, switches it to the code page the
// scripts are written in, and a probe script, run the same way, shows whether
// the interpreter then reads the script's characters as they are written.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "execution/batch_text.h"

namespace sondrel {

// "cmd.exe /d /v:off /s /c "<chcp> <codePage> >nul & <script>"": "/d" keeps
// the user's AutoRun commands out of the render, "/v:off" keeps a registry
// default of delayed expansion from eating every "!" of the script, "/s"
// makes the interpreter take what stands within the outer quotes as it is.
// `chcp` and `script` are quoted where a blank or an operator would split
// them.
std::string interpreterCommandLine(std::string_view chcp, unsigned codePage, std::string_view script,
                                   CharacterLength characterLength);

// The variables that hand the probe the text it must read: "sondrel_probe1",
// "sondrel_probe2", ...
std::string probeVariable(size_t number);

// A script that ends with 0 when line n reads, between its quotes, what
// probeVariable(n) holds in the interpreter's environment, for every one of
// `encoded` (the same characters in the code page under test), and with 1
// otherwise. The variables come in UTF-16, which no code page touches.
std::string probeScriptText(const std::vector<std::string>& encoded);

}  // namespace sondrel
