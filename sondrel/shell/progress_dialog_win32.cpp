#include "shell/progress_dialog.h"

#include <mmsystem.h>

#include "resources/resource.h"
#include "shell/failure_message.h"
#include "shell/render_worker.h"
#include "shell/wav_duration.h"

namespace sondrel {
namespace {

constexpr UINT_PTR kPlaybackTimer = 100;
constexpr int kStringBufferSize = 256;

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
  if (!startRenderWorker(runOptions)) {
    // No worker will ever report: report for it, so that the user sees the
    // failure instead of a dialog that renders forever.
    DWORD error = GetLastError();
    runOptions.result = error ? static_cast<int32_t>(error) : ERROR_NOT_ENOUGH_MEMORY;
    runOptions.failure.cause = FailureCause::WorkerNotStarted;
    runOptions.failure.code = static_cast<uint32_t>(runOptions.result);
    PostMessageW(dialog, WM_RENDER_DONE, 0, runOptions.result);
  }
}

void startPlayback(HWND dialog) {
  wchar_t playing[kStringBufferSize] = {};
  LoadStringW(runOptions.instance, IDS_PLAYING, playing, kStringBufferSize);
  SetDlgItemTextW(dialog, IDC_STATUS, playing);
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
