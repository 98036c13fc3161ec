#include "shell/render_worker.h"

#include <process.h>

#include "shell/render_project.h"

namespace sondrel {
namespace {

// Guards the lifetime of the two handles in RunOptions that both threads
// touch: the dialog may press Cancel just as the worker closes its cancel
// event and thread handle, and signalling or waiting on a closed handle (whose
// value the system may already have given to another object) must not happen.
SRWLOCK handleLock = SRWLOCK_INIT;

class HandleGuard {
 public:
  HandleGuard() { AcquireSRWLockExclusive(&handleLock); }
  ~HandleGuard() { ReleaseSRWLockExclusive(&handleLock); }
  HandleGuard(const HandleGuard&) = delete;
  HandleGuard& operator=(const HandleGuard&) = delete;
};

unsigned __stdcall renderWorker(void* started) {
  RenderReport& report = *static_cast<RenderReport*>(started);
  RunOptions& options = runOptions;
  options.result = renderProject(options, report);
  {
    HandleGuard guard;
    HANDLE cancelEvent = options.cancelEvent;
    options.cancelEvent = nullptr;
    if (cancelEvent) CloseHandle(cancelEvent);
  }
  int32_t result = options.result;
  report.renderDone(result);
  {
    HandleGuard guard;
    if (options.workerThread) CloseHandle(options.workerThread);
    options.workerThread = nullptr;
  }
  return static_cast<unsigned>(result);
}

}  // namespace

bool startRenderWorker(RunOptions& options, RenderReport& report) {
  // The worker closes its own handle and the cancel event when it ends;
  // holding the guard until both are stored keeps it from finishing before
  // there are any.
  HandleGuard guard;
  // The event exists before the thread runs: a Cancel that comes before the
  // worker's first step must still find a render to stop and wait for,
  // or the exit clean-up would empty the plug-in file beside a running merge.
  options.cancelEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!options.cancelEvent) return false;
  uintptr_t thread = _beginthreadex(nullptr, 0, renderWorker, &report, 0, nullptr);
  if (thread == 0) {
    DWORD error = GetLastError();
    CloseHandle(options.cancelEvent);
    options.cancelEvent = nullptr;
    SetLastError(error);
    return false;
  }
  options.workerThread = reinterpret_cast<HANDLE>(thread);
  return true;
}

HANDLE requestCancel(RunOptions& options) {
  HandleGuard guard;
  if (!options.cancelEvent) return nullptr;
  SetEvent(options.cancelEvent);
  HANDLE waitHandle = nullptr;
  if (options.workerThread)
    DuplicateHandle(GetCurrentProcess(), options.workerThread, GetCurrentProcess(), &waitHandle, SYNCHRONIZE, FALSE, 0);
  return waitHandle;
}

void waitServingSentMessages(HANDLE thread) {
  for (;;) {
    DWORD woken = MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE | QS_PAINT);
    if (woken != WAIT_OBJECT_0 + 1) return;
    // Looking at the queue delivers the pending sent messages; posted ones
    // (a late WM_RENDER_DONE) stay queued and are never handled. Painting
    // runs no command, so no second Cancel can come in through it.
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    if (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&message);
  }
}

}  // namespace sondrel
