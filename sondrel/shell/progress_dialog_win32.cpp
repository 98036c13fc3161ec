#include "shell/progress_dialog.h"

#include <commctrl.h>
#include <mmsystem.h>

#include <cwchar>

#include "base/string_resources.h"
#include "resources/resource.h"
#include "shell/failure_message.h"
#include "shell/render_worker.h"
#include "shell/wav_duration.h"

namespace sondrel {
namespace {

constexpr UINT_PTR kPlaybackTimer = 100;
constexpr int kStringBufferSize = 256;

// The only window a render talks to. The worker's calls are sent to the
// dialog thread and wait there; the dialog's Cancel keeps serving them
// (render_worker.h).
class DialogReport final : public RenderReport {
 public:
  void showNote(const std::string& lyric) override { SetDlgItemTextA(runOptions.dialog, IDC_STATUS, lyric.c_str()); }
  void showResampling(size_t ended, size_t total) override {
    wchar_t text[kStringBufferSize] = {};
    std::swprintf(text, kStringBufferSize, base::loadString(runOptions.instance, IDS_RESAMPLING).c_str(),
                  static_cast<int>(ended), static_cast<int>(total));
    SetDlgItemTextW(runOptions.dialog, IDC_STATUS, text);
  }
  void showWritingWav() override { showString(IDS_WRITING_WAV); }
  void setRange(size_t total) override {
    SendDlgItemMessageW(runOptions.dialog, IDC_PROGRESS, PBM_SETRANGE32, 0, static_cast<LPARAM>(total));
  }
  void setPosition(size_t position) override {
    SendDlgItemMessageW(runOptions.dialog, IDC_PROGRESS, PBM_SETPOS, position, 0);
  }
  HANDLE cancelEvent() const override { return runOptions.cancelEvent; }
  void renderDone(int32_t result) override {
    PostMessageW(runOptions.dialog, WM_RENDER_DONE, 0, static_cast<LPARAM>(result));
  }

  static void showString(UINT id) {
    SetDlgItemTextW(runOptions.dialog, IDC_STATUS, base::loadString(runOptions.instance, id).c_str());
  }
};

DialogReport dialogReport;

void centreOnDesktop(HWND dialog) {
  RECT desktop, window;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(dialog, &window);
  int width = window.right - window.left;
  int height = window.bottom - window.top;
  MoveWindow(dialog, (desktop.right - desktop.left - width) / 2, (desktop.bottom - desktop.top - height) / 2, width,
             height, TRUE);
}

void initialise(HWND dialog) {
  runOptions.result = 0;
  runOptions.dialog = dialog;
  centreOnDesktop(dialog);
  if (!startRenderWorker(runOptions, dialogReport)) {
    // No worker will ever report: report for it, so that the user sees the
    // failure instead of a dialog that renders forever.
    DWORD error = GetLastError();
    runOptions.result = error ? static_cast<int32_t>(error) : ERROR_NOT_ENOUGH_MEMORY;
    runOptions.failure = RenderFailure::workerNotStarted(static_cast<uint32_t>(runOptions.result));
    dialogReport.renderDone(runOptions.result);
  }
}

void startPlayback(HWND dialog) {
  DialogReport::showString(IDS_PLAYING);
  double durationMs = wavDurationMs(runOptions.outputPath);
  SetTimer(dialog, kPlaybackTimer, playbackTimerPeriodMs(durationMs), nullptr);
  PlaySoundW(runOptions.outputPath, nullptr, SND_ASYNC);
}

void completeRender(HWND dialog) {
  if (runOptions.result != 0) {
    showRenderFailure(dialog);
    EndDialog(dialog, runOptions.result);
  } else if (!runOptions.play || runOptions.wholeProject) {
    EndDialog(dialog, 0);
  } else {
    startPlayback(dialog);
  }
}

void cancelAndClose(HWND dialog) {
  HANDLE worker = requestCancel(runOptions);
  if (worker) {
    waitServingSentMessages(worker);
    CloseHandle(worker);
  }
  PlaySoundA(nullptr, nullptr, 0);
  EndDialog(dialog, runOptions.result);
}

INT_PTR CALLBACK progressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      initialise(dialog);
      return TRUE;
    case WM_COMMAND:
      cancelAndClose(dialog);
      return TRUE;
    case WM_TIMER:
      KillTimer(dialog, wParam);
      EndDialog(dialog, runOptions.result);
      return FALSE;
    case WM_RENDER_DONE:
      completeRender(dialog);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR runProgressDialog(int templateId) {
  return DialogBoxParamW(runOptions.instance, MAKEINTRESOURCEW(templateId), GetActiveWindow(), progressDialogProc, 0);
}

void showRenderFailure(HWND owner) {
  showFailureMessage(owner, runOptions.instance, runOptions.failure);
}

}  // namespace sondrel
