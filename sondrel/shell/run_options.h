// The one process-wide record of sondrel, shared by the main thread, the
// progress dialog and the render worker without locks: the worker's writes are
// ordered before the dialog's reads by the posted WM_RENDER_DONE, or by the
// dialog waiting for the worker to end on Cancel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "execution/render_failure.h"
#include "shell/host_settings.h"

namespace sondrel {

constexpr UINT WM_RENDER_DONE = WM_APP + 1;

struct RunOptions {
  wchar_t pluginFilePath[MAX_PATH] = {};
  wchar_t modificationPath[MAX_PATH] = {};
  wchar_t outputPath[MAX_PATH] = {};
  bool play = true;
  bool deleteWav = true;
  bool deleteCache = true;
  bool debug = false;
  HINSTANCE instance = nullptr;
  HWND dialog = nullptr;
  HANDLE workerThread = nullptr;
  HANDLE cancelEvent = nullptr;
  int32_t result = 0;
  RenderFailure failure;  // why `result` is not 0, as far as known
  bool wholeProject = false;
  // Found and read once, before the dialog starts.
  std::wstring hostDirectory;
  HostSettings settings;
};

extern RunOptions runOptions;

}  // namespace sondrel
