// quillet's messages: what failed and what to do next, in the user's
// language, in a message box with the program's name as its caption and the
// error icon. The texts are the string table of resources/quillet.rc.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

constexpr wchar_t kProgramName[] = L"Quillet";

// Shows the message `id` with the error number as %1 and the subject (a
// path, a configuration name) as %2, and returns when the user closed it.
void tellFailure(HWND owner, UINT id, DWORD error, const std::wstring& subject);

}  // namespace quillet
