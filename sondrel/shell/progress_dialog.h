// The modal progress dialog of sondrel: status line, optional progress bar and
// Cancel, then playback of the rendered WAV. Its state is the process-wide
// RunOptions record.
#pragma once

#include <windows.h>

namespace sondrel {

// Runs the dialog from template 101 or 102 and returns its end value: 0, or
// the status of a failed or cancelled render.
INT_PTR runProgressDialog(int templateId);

// The one failure message of sondrel ("Failed to render" and the cause that
// RunOptions `failure` names), owned by `owner`.
void showRenderFailure(HWND owner);

}  // namespace sondrel
