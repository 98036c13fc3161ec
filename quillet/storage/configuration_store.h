// quillet's settings in the current user's registry: the state of the last
// OK, with the dialog's position, under the main key
// "Software\TARV Plugin\quillet", and named configurations under its subkey
// "configurations". Nothing is cached: every call opens, uses and closes its
// key. A false result leaves the registry's reason in the thread's last
// error.
#pragma once

#include <string>
#include <vector>

#include "storage/stored_settings.h"

namespace quillet {

// The configuration names the registry holds, in its listing order.
std::vector<std::wstring> listConfigurations();

// The name is a non-empty result of configurationName. False when the key
// could not be created (it is then not written).
bool saveConfiguration(const std::wstring& name, const Settings& settings);
// False when the configuration cannot be opened; `settings` is then untouched.
bool readConfiguration(const std::wstring& name, Scale current, Settings& settings, bool& scaleRead);
// False, with ERROR_FILE_NOT_FOUND when there was no key of that name.
bool deleteConfiguration(const std::wstring& name);

void saveMainKey(WindowRect position, const Settings& settings);

struct MainKeyState {
  bool found = false;        // without a main key nothing else is set
  bool hasPosition = false;  // "WindowPos" as stored, not yet checked against the screens
  WindowRect position;
  bool scaleRead = false;
  Settings settings;
};
MainKeyState restoreMainKey(Scale current);

}  // namespace quillet
