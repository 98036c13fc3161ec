#include "shell/host_setting.h"

#include <windows.h>
#include <shlwapi.h>

#include "base/file_access.h"

namespace sondrel {

std::wstring hostDirectory() {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  // A program path that filled the buffer was cut short; any directory
  // derived from it would be another one.
  if (length == 0 || length >= MAX_PATH) return std::wstring();
  for (int i = 0; i < 3; ++i) PathRemoveFileSpecW(path);
  return path;
}

bool readSettingFile(const std::wstring& hostDir, std::string& bytes) {
  if (hostDir.empty() || !base::fitsMaxPath(hostDir)) return false;
  wchar_t path[MAX_PATH] = {};
  lstrcpynW(path, hostDir.c_str(), MAX_PATH);
  if (!PathAppendW(path, L"setting.ini")) return false;
  return base::readFileBytes(std::wstring(path), bytes);
}

HostSetting readHostSetting(std::string_view key) {
  std::string bytes;
  if (!readSettingFile(hostDirectory(), bytes)) return HostSetting();
  return findSetting(bytes, key);
}

}  // namespace sondrel
