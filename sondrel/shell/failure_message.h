// The text of sondrel's one failure message: "Failed to render", and, when
// the render knows why, in the user's language what failed (the tool and the
// line that sets it, the file, the note and its lyric) and what to do next.
#pragma once

#include <windows.h>

#include <string>

#include "execution/render_failure.h"

namespace sondrel {

std::wstring failureMessage(HINSTANCE instance, const RenderFailure& failure);

// Shows that message with the program's name as the caption and the error
// icon, and returns when the user closed it.
void showFailureMessage(HWND owner, HINSTANCE instance, const RenderFailure& failure);

}  // namespace sondrel
