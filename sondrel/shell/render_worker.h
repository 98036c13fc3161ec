// The worker thread that runs one render behind the progress dialog, and the
// dialog's side of cancelling it.
#pragma once

#include <cstdint>

#include "execution/render_progress.h"
#include "shell/run_options.h"

namespace sondrel {

// What the worker reports to while it renders, and when it has ended.
class RenderReport : public RenderProgress {
 public:
  // The render has ended; `result` is in RunOptions too. Called on the
  // worker thread.
  virtual void renderDone(int32_t result) = 0;

 protected:
  ~RenderReport() = default;
};

// Creates the cancel event and starts the worker for `options`, reporting to
// `report`, which lives as long as the worker. False when the thread could
// not be started (GetLastError tells why).
bool startRenderWorker(RunOptions& options, RenderReport& report);

// Signals the cancel event if a render is running, and returns a handle of
// the worker thread to wait for (the caller closes it), or null when no
// render is running.
HANDLE requestCancel(RunOptions& options);

// Waits until the thread has ended while serving the messages that other
// threads send to this one: the worker sets the dialog's status text and
// progress bar synchronously, and would never finish if this thread stopped
// answering. The dialog is repainted meanwhile (a cancelled render may take
// a few seconds to end its tools and clean up); input waits.
void waitServingSentMessages(HANDLE thread);

}  // namespace sondrel
