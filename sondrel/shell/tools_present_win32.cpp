#include "shell/tools_present.h"

#include <windows.h>

#include "base/ansi_text.h"
#include "base/status.h"

namespace sondrel {
namespace {

std::wstring inHost(const std::wstring& hostDir, const wchar_t* name) {
  return hostDir + (hostDir.empty() || hostDir.back() == L'\\' ? L"" : L"\\") + name;
}

bool isFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The interpreter also runs "resampler" as resampler.exe, and "r.v2" as
// r.v2.exe: it tries each extension of PATHEXT after the name as written.
bool programExists(const std::string& path) {
  if (path.empty()) return false;
  if (isFile(path)) return true;
  char extensions[1024] = {};
  DWORD length = GetEnvironmentVariableA("PATHEXT", extensions, sizeof extensions);
  std::string list = length > 0 && length < sizeof extensions ? extensions : ".COM;.EXE;.BAT;.CMD";
  for (size_t start = 0, end; start < list.size(); start = end + 1) {
    end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    if (end > start && isFile(path + list.substr(start, end - start))) return true;
  }
  return false;
}

int32_t toolMissing(FailureSubject tool, const std::string& path, ToolSetting setting, const RenderConfig& config,
                    const std::wstring& hostDir, RenderFailure& failure) {
  const ToolSetting where = path.empty() ? ToolSetting::None : setting;
  const std::wstring file =
      where == ToolSetting::ProjectFile ? base::fromAnsi(config.projectFile) : inHost(hostDir, L"setting.ini");
  // A plug-in folder copied one level too deep finds no setting.ini: the
  // place to mend is the folder, not a line.
  failure = path.empty() && GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES
                ? RenderFailure::settingIniMissing(tool, file)
                : RenderFailure::toolMissing(tool, path, where, file);
  return base::kStatusFileNotFound;
}

}  // namespace

int32_t checkToolsPresent(const RenderConfig& config, const std::wstring& hostDir, RenderFailure& failure) {
  if (config.requests.empty()) return base::kStatusOk;
  if (config.useDll) {
    // A host directory that cannot be named is the library runner's failure.
    if (hostDir.empty()) return base::kStatusOk;
    for (const wchar_t* library : {L"resampler10.dll", L"wavtool2.dll"}) {
      const std::wstring path = inHost(hostDir, library);
      if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) continue;
      failure = RenderFailure::libraryMissing(path, inHost(hostDir, L"setting.ini"));
      return base::kStatusFileNotFound;
    }
    return base::kStatusOk;
  }
  if (!programExists(config.wavtoolPath))
    return toolMissing(FailureSubject::Wavtool, config.wavtoolPath, config.wavtoolSetting, config, hostDir, failure);
  if (!programExists(config.resamplerPath))
    return toolMissing(FailureSubject::Resampler, config.resamplerPath, config.resamplerSetting, config, hostDir,
                       failure);
  return base::kStatusOk;
}

}  // namespace sondrel
