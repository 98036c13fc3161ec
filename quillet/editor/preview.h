// Play: previews the edited song by starting sondrel.exe (beside quillet.exe)
// on a copy of the plug-in file together with a modification file, and
// waits for it; the plug-in file itself is not touched.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace quillet {

// Writes the plug-in output to the given path; false when it failed.
using WriteModification = std::function<bool(const std::wstring& path)>;

// Runs one preview. While sondrel runs, the dialog is disabled and its
// window keeps being painted; the caller must ignore commands until this
// returns, since posted ones still arrive. Failures end the preview without
// a message; both temporary files are gone afterwards.
void runPreview(HWND dialog, const std::wstring& pluginPath, const WriteModification& writeModification);

}  // namespace quillet
