// Conversions between the wide strings of the command line and the narrow
// strings in the system ANSI code page that the rest of the renderer uses.
#pragma once

#include <string>

namespace base {

// Best-fit conversion, for text that is only shown or compared.
std::string toAnsi(const std::wstring& wide);
std::wstring fromAnsi(const std::string& narrow);

// A path in the ANSI code page that names the same file. A character without
// an ANSI form is never replaced by a look-alike ("Zoë" would become "Zoe", a
// folder that may exist): the short (8.3) form of the path, or of its
// directory followed by the file name, stands in where it has one. False,
// with `missing` set to the first character that has no ANSI form, when no
// exact form exists.
bool toAnsiPath(const std::wstring& path, std::string& ansi, wchar_t& missing);

}  // namespace base
