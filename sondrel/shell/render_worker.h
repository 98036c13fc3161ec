// The worker thread that runs one render behind the progress dialog, and the
// dialog's side of cancelling it.
#pragma once

#include "shell/run_options.h"

namespace sondrel {

// Creates the cancel event and starts the worker for `options`, whose
// `dialog` is set. The worker posts WM_RENDER_DONE to the dialog when the
// render has ended. False when the thread could not be started (GetLastError
// tells why).
bool startRenderWorker(RunOptions& options);

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
