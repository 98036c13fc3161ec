#include "shell/render_config_builder.h"

#include <windows.h>
#include <shlwapi.h>

#include "base/ansi_text.h"
#include "base/file_access.h"
#include "base/status.h"
#include "shell/host_setting.h"

namespace sondrel {
namespace {

// The host editor's project file is read with the profile API, whose values
// come back in a 1024-byte buffer.
constexpr DWORD kProfileBufferSize = 1024;

std::string currentDirectoryAnsi() {
  DWORD size = GetCurrentDirectoryA(0, nullptr);
  if (size == 0) return std::string();
  std::string directory(size, '\0');
  DWORD length = GetCurrentDirectoryA(size, &directory[0]);
  directory.resize(length < size ? length : 0);
  return directory;
}

int cacheDirectoryFor(const std::wstring& pluginFilePath, std::string& cacheDir) {
  std::string path = base::toAnsi(pluginFilePath);
  if (!base::fitsMaxPath(path)) return base::kStatusFilenameTooLong;
  char buffer[MAX_PATH] = {};
  lstrcpynA(buffer, path.c_str(), MAX_PATH);
  if (!PathRenameExtensionA(buffer, ".cache")) return base::kStatusFilenameTooLong;
  cacheDir = buffer;
  return base::kStatusOk;
}

// Joins the plug-in file's CacheDir= to the current directory when it is
// relative and derives the project file from it; an empty result means
// there is none to read.
int locateProjectFile(const std::string& cacheDirValue, std::string& projectFile) {
  projectFile.clear();
  std::string cachePath = cacheDirValue;
  if (PathIsRelativeA(cacheDirValue.c_str())) cachePath = currentDirectoryAnsi() + "\\" + cacheDirValue;
  if (!base::fitsMaxPath(cachePath)) return base::kStatusFilenameTooLong;
  projectFile = projectFilePathFor(cachePath);
  if (!base::fitsMaxPath(projectFile)) return base::kStatusFilenameTooLong;
  return base::kStatusOk;
}

int joinToHostDirectory(const std::string& hostDir, std::string& toolPath) {
  if (toolPath.empty() || !PathIsRelativeA(toolPath.c_str())) return base::kStatusOk;
  if (!base::fitsMaxPath(hostDir) || !base::fitsMaxPath(toolPath)) return base::kStatusFilenameTooLong;
  char buffer[MAX_PATH] = {};
  if (!PathCombineA(buffer, hostDir.c_str(), toolPath.c_str())) return base::kStatusFilenameTooLong;
  toolPath = buffer;
  return base::kStatusOk;
}

}  // namespace

int buildRenderConfigWithHost(const std::wstring& hostDir, const Project& project, RenderConfig& config,
                              bool wholeProject, const std::wstring& pluginFilePath) {
  int status = cacheDirectoryFor(pluginFilePath, config.cacheDir);
  if (status != base::kStatusOk) return status;

  takeProjectValues(project, config);

  std::string settingBytes;
  if (readSettingFile(hostDir, settingBytes)) applyHostSettings(settingBytes, config);

  std::string projectFile;
  status = locateProjectFile(project.cacheDir, projectFile);
  if (status != base::kStatusOk) return status;
  if (!projectFile.empty()) {
    ProjectSettingReader read = [&](const char* key, const char* defaultValue) {
      char buffer[kProfileBufferSize] = {};
      DWORD length = GetPrivateProfileStringA("#SETTING", key, defaultValue, buffer, kProfileBufferSize,
                                              projectFile.c_str());
      return ProjectFileValue{std::string(buffer, length), length + 1 < kProfileBufferSize};
    };
    status = applyProjectFile(project, wholeProject, read, config);
    if (status != base::kStatusOk) return status;
  }

  applyPluginMode2(project, config);

  std::string hostAnsi = base::toAnsi(hostDir);
  status = joinToHostDirectory(hostAnsi, config.wavtoolPath);
  if (status != base::kStatusOk) return status;
  status = joinToHostDirectory(hostAnsi, config.resamplerPath);
  if (status != base::kStatusOk) return status;

  config.helperScriptPath = "temp_helper.bat";
  return base::kStatusOk;
}

int buildRenderConfig(const Project& project, RenderConfig& config, bool wholeProject,
                      const std::wstring& pluginFilePath) {
  return buildRenderConfigWithHost(hostDirectory(), project, config, wholeProject, pluginFilePath);
}

}  // namespace sondrel
