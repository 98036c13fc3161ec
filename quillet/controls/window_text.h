// Text of a window (a field, a row's edit), at most `maxUnits` UTF-16 units,
// as a fixed-size buffer of the platform would hold it.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

std::wstring windowText(HWND window, int maxUnits);

}  // namespace quillet
