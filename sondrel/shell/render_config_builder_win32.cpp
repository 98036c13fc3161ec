#include "shell/render_config_builder.h"

#include <windows.h>
#include <shlwapi.h>

#include "base/ansi_text.h"
#include "base/file_access.h"
#include "base/status.h"

namespace sondrel {
namespace {

// The host editor's project file is read with the profile API, whose values
// come back in a 1024-byte buffer.
constexpr DWORD kProfileBufferSize = 1024;

int32_t pathTooLong(FailureSubject subject, const std::string& path, RenderFailure& failure) {
  failure = RenderFailure::pathTooLong(subject, path);
  return base::kStatusFilenameTooLong;
}

// A path converted with look-alike characters would name another folder,
// which the render would write into and clean up.
int32_t ansiPathOf(const std::wstring& path, FailureSubject subject, std::string& ansi, RenderFailure& failure) {
  wchar_t missing = 0;
  if (base::toAnsiPath(path, ansi, missing)) return base::kStatusOk;
  failure = RenderFailure::noAnsiForm(subject, path, missing);
  return base::kStatusInvalidName;
}

int32_t currentDirectoryAnsi(std::string& directory, RenderFailure& failure) {
  DWORD size = GetCurrentDirectoryW(0, nullptr);
  std::wstring wide(size, L'\0');
  DWORD length = size ? GetCurrentDirectoryW(size, &wide[0]) : 0;
  wide.resize(length < size ? length : 0);
  return ansiPathOf(wide, FailureSubject::PluginFile, directory, failure);
}

int32_t cacheDirectoryFor(const std::wstring& pluginFilePath, std::string& cacheDir, RenderFailure& failure) {
  std::string path;
  int32_t status = ansiPathOf(pluginFilePath, FailureSubject::PluginFile, path, failure);
  if (status != base::kStatusOk) return status;
  if (!base::fitsMaxPath(path)) return pathTooLong(FailureSubject::PluginFile, path, failure);
  char buffer[MAX_PATH] = {};
  lstrcpynA(buffer, path.c_str(), MAX_PATH);
  if (!PathRenameExtensionA(buffer, ".cache")) return pathTooLong(FailureSubject::CacheDir, path + ".cache", failure);
  cacheDir = buffer;
  return base::kStatusOk;
}

// Joins the plug-in file's CacheDir= to the current directory when it is
// relative and derives the project file from it; an empty result means
// there is none to read.
int32_t locateProjectFile(const std::string& cacheDirValue, std::string& projectFile, RenderFailure& failure) {
  projectFile.clear();
  std::string cachePath = cacheDirValue;
  if (PathIsRelativeA(cacheDirValue.c_str())) {
    std::string current;
    int32_t status = currentDirectoryAnsi(current, failure);
    if (status != base::kStatusOk) return status;
    cachePath = current + "\\" + cacheDirValue;
  }
  if (!base::fitsMaxPath(cachePath)) return pathTooLong(FailureSubject::CacheDir, cachePath, failure);
  projectFile = projectFilePathFor(cachePath);
  if (!base::fitsMaxPath(projectFile)) return pathTooLong(FailureSubject::CacheDir, projectFile, failure);
  return base::kStatusOk;
}

int32_t joinToHostDirectory(const std::string& hostDir, FailureSubject subject, std::string& toolPath,
                            RenderFailure& failure) {
  if (toolPath.empty() || !PathIsRelativeA(toolPath.c_str())) return base::kStatusOk;
  char buffer[MAX_PATH] = {};
  if (!base::fitsMaxPath(hostDir) || !base::fitsMaxPath(toolPath) ||
      !PathCombineA(buffer, hostDir.c_str(), toolPath.c_str()))
    return pathTooLong(subject, hostDir + "\\" + toolPath, failure);
  toolPath = buffer;
  return base::kStatusOk;
}

}  // namespace

int buildRenderConfig(const Project& project, const RenderSources& sources, RenderConfig& config,
                      RenderFailure& failure) {
  int status = cacheDirectoryFor(sources.pluginFilePath, config.cacheDir, failure);
  if (status != base::kStatusOk) return status;

  takeProjectValues(project, config);
  applyHostSettings(sources.settings, config);

  std::string projectFile;
  status = locateProjectFile(project.cacheDir, projectFile, failure);
  if (status != base::kStatusOk) return status;
  if (!projectFile.empty()) {
    config.projectFile = projectFile;
    ProjectSettingReader read = [&](const char* key, const char* defaultValue) {
      char buffer[kProfileBufferSize] = {};
      DWORD length = GetPrivateProfileStringA("#SETTING", key, defaultValue, buffer, kProfileBufferSize,
                                              projectFile.c_str());
      return ProjectFileValue{std::string(buffer, length), length + 1 < kProfileBufferSize};
    };
    status = applyProjectFile(project, sources.wholeProject, read, config);
    if (status != base::kStatusOk) return pathTooLong(FailureSubject::None, projectFile, failure);
  }

  applyPluginMode2(project, config);

  const bool joinsHost = (!config.wavtoolPath.empty() && PathIsRelativeA(config.wavtoolPath.c_str())) ||
                         (!config.resamplerPath.empty() && PathIsRelativeA(config.resamplerPath.c_str()));
  if (joinsHost) {
    std::string hostAnsi;
    status = ansiPathOf(sources.hostDir, FailureSubject::Wavtool, hostAnsi, failure);
    if (status == base::kStatusOk)
      status = joinToHostDirectory(hostAnsi, FailureSubject::Wavtool, config.wavtoolPath, failure);
    if (status == base::kStatusOk)
      status = joinToHostDirectory(hostAnsi, FailureSubject::Resampler, config.resamplerPath, failure);
    if (status != base::kStatusOk) return status;
  }
  return base::kStatusOk;
}

}  // namespace sondrel
