#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>

#include "base/ansi_text.h"
#include "base/status.h"
#include "base/win32_files.h"
#include "execution/dll_runner.h"
#include "execution/path_limits.h"
#include "execution/script_runner.h"
#include "execution/script_writer.h"
#include "planning/request_list.h"
#include "project/merge.h"
#include "project/project_reader.h"
#include "shell/clean_cache.h"
#include "shell/host_setting.h"
#include "shell/render_config_builder.h"
#include "shell/render_project.h"
#include "shell/resample_progress.h"

namespace sondrel {
namespace {

int32_t runBackEnd(RunOptions& options, RenderConfig& config) {
  int32_t status = checkPathLimits(config);
  if (status != base::kStatusOk) return status;
  if (config.useDll) {
    LPARAM count = static_cast<LPARAM>(config.requests.size());
    SendDlgItemMessageW(options.dialog, 1002, PBM_SETRANGE32, 0, count);
    SendDlgItemMessageW(options.dialog, 1002, PBM_SETPOS, 0, 0);
    return runWithDlls(options.cancelEvent, options.dialog, config, hostDirectory());
  }
  ScriptPaths scripts;
  status = writeScripts(config, options.pluginFilePath, scripts);
  if (status != base::kStatusOk) return status;
  status = resampleAheadOfScripts(options, config);
  if (status == base::kStatusOk) status = runScript(options.cancelEvent, scripts.mainScript);
  if (!options.debug) {
    std::remove(scripts.mainScript.c_str());
    std::remove(scripts.helperScript.c_str());
  }
  return status;
}

}  // namespace

int32_t renderProject(RunOptions& options) {
  const std::wstring pluginFile = options.pluginFilePath;
  if (options.modificationPath[0] != L'\0') mergeModification(pluginFile, options.modificationPath);
  HostSetting voiceRoot = readHostSetting("VoiceRoot=");
  Project project;
  readProject(voiceRoot.value, project, pluginFile);
  options.wholeProject = project.hasTrackEnd;

  wchar_t directory[MAX_PATH] = {};
  lstrcpynW(directory, options.pluginFilePath, MAX_PATH);
  PathRemoveFileSpecW(directory);
  SetCurrentDirectoryW(directory);

  RenderConfig config;
  int32_t status = buildRenderConfig(project, config, options.wholeProject, pluginFile);
  if (status != base::kStatusOk) return status;
  if (options.outputPath[0] != L'\0') {
    std::string output = base::toAnsi(options.outputPath);
    // A path cut at 259 bytes would name another file, which the render
    // deletes and overwrites.
    if (output.size() >= MAX_PATH) return base::kStatusFilenameTooLong;
    config.outputPath = output;
  }
  planRequests(project.notes, project, config.mode2, config.requests);

  status = runBackEnd(options, config);
  // A tool that ends without writing, or an empty tool path, leaves no output
  // although the back end itself succeeded; playing would then fail silently.
  if (status == base::kStatusOk && !config.requests.empty() &&
      GetFileAttributesA(config.outputPath.c_str()) == INVALID_FILE_ATTRIBUTES)
    status = base::kStatusFileNotFound;
  if (status == base::kStatusOk) {
    std::wstring rendered = base::fromAnsi(config.outputPath);
    lstrcpynW(options.outputPath, rendered.c_str(), MAX_PATH);
  }
  if (options.deleteCache && !options.wholeProject) cleanCache(config.cacheDir);
  return status;
}

}  // namespace sondrel
