#include "shell/resample_progress.h"

#include <commctrl.h>

#include <cwchar>

#include "base/status.h"
#include "execution/resample_prepass.h"
#include "resources/resource.h"
#include "shell/resampler_runs.h"

namespace sondrel {
namespace {

constexpr int kStringBufferSize = 256;

void showStatus(const RunOptions& options, UINT stringId, size_t ended, size_t total) {
  wchar_t format[kStringBufferSize] = {};
  LoadStringW(options.instance, stringId, format, kStringBufferSize);
  wchar_t text[kStringBufferSize] = {};
  std::swprintf(text, kStringBufferSize, format, static_cast<int>(ended), static_cast<int>(total));
  SetDlgItemTextW(options.dialog, IDC_STATUS, text);
}

}  // namespace

int32_t resampleAheadOfScripts(const RunOptions& options, const RenderConfig& config, const ScriptPaths& scripts) {
  bool shown = false;
  auto show = [&](size_t ended, size_t total) {
    if (!shown) SendDlgItemMessageW(options.dialog, IDC_PROGRESS, PBM_SETRANGE32, 0, static_cast<LPARAM>(total));
    shown = true;
    SendDlgItemMessageW(options.dialog, IDC_PROGRESS, PBM_SETPOS, ended, 0);
    showStatus(options, IDS_RESAMPLING, ended, total);
  };
  int32_t status = runResamplePrepass(options.cancelEvent, config, scripts.helperReference, configuredResamplerRuns(), show);
  if (status == base::kStatusOk && shown) showStatus(options, IDS_WRITING_WAV, 0, 0);
  return status;
}

}  // namespace sondrel
