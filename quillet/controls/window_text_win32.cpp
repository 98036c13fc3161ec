#include "controls/window_text.h"

namespace quillet {

std::wstring windowText(HWND window, int maxUnits) {
  std::wstring text(static_cast<size_t>(maxUnits) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], maxUnits + 1)));
  return text;
}

}  // namespace quillet
