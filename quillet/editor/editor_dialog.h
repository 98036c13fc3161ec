// The editor dialog of quillet (template 129): flag letter, scale, range,
// the value grid, named configurations, and the commands OK, Cancel, Apply,
// Play, save, read and del.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

// Runs the dialog modally on the plug-in file and returns its end value:
// IDOK after OK wrote the plug-in output, IDCANCEL when the plug-in file is to
// be left empty, anything else when the dialog could not be shown, with the
// system's reason in `error`.
INT_PTR runEditorDialog(HINSTANCE instance, const std::wstring& pluginPath, DWORD& error);

}  // namespace quillet
