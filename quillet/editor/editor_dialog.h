// The editor dialog of quillet (template 129): flag letter, scale, range,
// the value grid, named configurations, and the commands OK, Cancel, Apply,
// Play, save, read and del.
#pragma once

#include <windows.h>

#include <string>

namespace quillet {

// Runs the dialog modally on the plug-in file and returns its end value:
// IDOK after OK wrote the plug-in output, anything else when the plug-in
// file is to be left empty.
INT_PTR runEditorDialog(HINSTANCE instance, const std::wstring& pluginPath);

}  // namespace quillet
