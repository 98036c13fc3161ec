// The host editor's directory and its setting.ini.
#pragma once

#include <string>
#include <string_view>

namespace sondrel {

struct HostSetting {
  bool found = false;
  std::string value;  // the rest of the line after the key, untrimmed
};

// The first line of setting.ini text that begins with `key` (compared
// case-sensitively from the line's first byte).
HostSetting findSetting(std::string_view settingBytes, std::string_view key);

// The directory two levels above the one holding the program file: the
// program path with three components removed. Empty when it cannot be found.
std::wstring hostDirectory();

// The bytes of setting.ini in the given host directory; false when it
// cannot be read.
bool readSettingFile(const std::wstring& hostDir, std::string& bytes);

// findSetting on the host editor's setting.ini; a missing file finds nothing.
HostSetting readHostSetting(std::string_view key);

}  // namespace sondrel
