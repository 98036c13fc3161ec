// The text of sondrel's one failure message: "Failed to render", and, when
// the render knows why, a second line in the user's language that names the
// cause.
#pragma once

#include <windows.h>

#include <string>

#include "execution/render_failure.h"

namespace sondrel {

std::wstring failureMessage(HINSTANCE instance, const RenderFailure& failure);

}  // namespace sondrel
