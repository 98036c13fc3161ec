// Conversions between the wide strings of the command line and the narrow
// strings in the system ANSI code page that the rest of the renderer uses.
#pragma once

#include <string>

namespace base {

std::string toAnsi(const std::wstring& wide);
std::wstring fromAnsi(const std::string& narrow);

}  // namespace base
