// Play: previews the edited song by starting sondrel.exe (beside quillet.exe)
// on a copy of the plug-in file together with a modification file, and
// waits for it; the plug-in file itself is not touched.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

// Runs one preview of `modification` (the plug-in output as OK would write
// it) over `pluginBytes`, the plug-in file as loaded. While sondrel runs, the
// dialog is disabled and its window keeps being painted; the caller must
// ignore commands until this returns, since posted ones still arrive. A
// failure is told in a message box; both files are gone afterwards, and so
// are the leftovers of earlier previews that were ended before their clean-up.
void runPreview(HWND dialog, const std::wstring& pluginPath, const std::string& pluginBytes,
                const std::string& modification);

}  // namespace quillet
