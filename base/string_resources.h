// Texts of a program's string table, in the user's language, with inserts:
// how both programs put together the messages they show.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace base {

// The string of that id; empty when the program has none.
std::wstring loadString(HINSTANCE instance, UINT id);

// The text with its inserts %1, %2, ... filled in by FormatMessage's rules; the
// inserts are never read as formats themselves, and an insert the pattern
// names but the caller did not give is empty.
std::wstring fillInserts(const std::wstring& pattern, const std::vector<std::wstring>& inserts);

}  // namespace base
