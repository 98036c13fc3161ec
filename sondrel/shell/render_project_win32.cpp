#include <windows.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>

#include "base/ansi_text.h"
#include "base/status.h"
#include "execution/dll_runner.h"
#include "execution/path_limits.h"
#include "execution/resample_prepass.h"
#include "execution/script_runner.h"
#include "execution/script_writer.h"
#include "planning/request_list.h"
#include "project/merge.h"
#include "project/project_reader.h"
#include "shell/clean_cache.h"
#include "shell/render_config_builder.h"
#include "shell/render_project.h"
#include "shell/tools_present.h"

namespace sondrel {
namespace {

// The "/o:" path in the ANSI code page: never with look-alike characters, and
// never cut at 259 bytes, since either would name another file, which the
// render deletes and overwrites.
int32_t outputFromCommandLine(RunOptions& options, std::string& output) {
  RenderFailure& failure = options.failure;
  wchar_t missing = 0;
  if (!base::toAnsiPath(options.outputPath, output, missing)) {
    failure = RenderFailure::noAnsiForm(FailureSubject::Output, options.outputPath, missing);
    return base::kStatusInvalidName;
  }
  if (output.size() >= MAX_PATH) {
    failure = RenderFailure::pathTooLong(FailureSubject::Output, output);
    return base::kStatusFilenameTooLong;
  }
  return base::kStatusOk;
}

// The requests through the tool libraries, or through the scripts with the
// resampling made ahead of them.
int32_t runBackEnd(RunOptions& options, const RenderConfig& config, RenderProgress& progress) {
  int32_t status = checkPathLimits(config, options.failure);
  if (status != base::kStatusOk) return status;
  // The script's `del` on a folder deletes every file in it.
  DWORD attributes = GetFileAttributesA(config.outputPath.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    options.failure = RenderFailure::namesAFolder(config.outputPath);
    return base::kStatusInvalidName;
  }
  if (config.useDll) return runWithDlls(config, options.hostDirectory, progress, options.failure);
  const HANDLE cancelEvent = progress.cancelEvent();
  ScriptPaths scripts;
  status = writeScripts(config, options.pluginFilePath, cancelEvent, scripts, options.failure);
  if (status != base::kStatusOk) return status;
  status = runResamplePrepass(config, scripts.helperReference, resamplerRuns(options.settings, processorCount()),
                              progress);
  if (status == base::kStatusOk)
    status = runScript(cancelEvent, scripts.mainScript, scripts.codePage, config.cacheDir, options.failure);
  if (!options.debug) {
    std::remove(scripts.mainScript.c_str());
    std::remove(scripts.helperScript.c_str());
  }
  return status;
}

}  // namespace

int32_t renderProject(RunOptions& options, RenderProgress& progress) {
  // A Cancel that came before the render began leaves every file as it was.
  if (progress.cancelled()) return base::kStatusCancelled;
  const std::wstring pluginFile = options.pluginFilePath;
  if (options.modificationPath[0] != L'\0') mergeModification(pluginFile, options.modificationPath);
  Project project;
  readProject(options.settings.voiceRoot, project, pluginFile);
  options.wholeProject = project.hasTrackEnd;

  wchar_t directory[MAX_PATH] = {};
  lstrcpynW(directory, options.pluginFilePath, MAX_PATH);
  PathRemoveFileSpecW(directory);
  SetCurrentDirectoryW(directory);

  RenderConfig config;
  int32_t status = buildRenderConfig(
      project, RenderSources{options.hostDirectory, options.settings, pluginFile, options.wholeProject}, config,
      options.failure);
  if (status != base::kStatusOk) return status;
  if (options.outputPath[0] != L'\0') {
    status = outputFromCommandLine(options, config.outputPath);
    if (status != base::kStatusOk) return status;
  }
  config.requests = planRequests(project, config.mode2);
  status = checkToolsPresent(config, options.hostDirectory, options.failure);
  if (status != base::kStatusOk) return status;

  status = runBackEnd(options, config, progress);
  // A tool that ends without writing, or an empty tool path, leaves no output
  // although the back end itself succeeded; playing would then fail silently.
  if (status == base::kStatusOk && !config.requests.empty() &&
      GetFileAttributesA(config.outputPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
    status = base::kStatusFileNotFound;
    options.failure = RenderFailure::noOutput(
        config.outputPath,
        config.useDll ? options.hostDirectory + L"\\wavtool2.dll" : base::fromAnsi(config.wavtoolPath));
  }
  if (!config.useDll) nameToolNotStarted(config, options.failure);
  if (status == base::kStatusOk) {
    std::wstring rendered = base::fromAnsi(config.outputPath);
    lstrcpynW(options.outputPath, rendered.c_str(), MAX_PATH);
  }
  if (options.deleteCache && !options.wholeProject) cleanCache(config.cacheDir);
  return status;
}

}  // namespace sondrel
