#include "shell/host_settings.h"

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

HostSettings readHostSettings(const std::wstring& hostDir) {
  wchar_t path[MAX_PATH] = {};
  std::string bytes;
  if (hostDir.empty() || !base::fitsMaxPath(hostDir) || !lstrcpynW(path, hostDir.c_str(), MAX_PATH) ||
      !PathAppendW(path, L"setting.ini") || !base::readFileBytes(std::wstring(path), bytes))
    return HostSettings();
  return parseHostSettings(bytes);
}

int processorCount() {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  return static_cast<int>(system.dwNumberOfProcessors);
}

}  // namespace sondrel
