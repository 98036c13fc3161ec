#include "editor/messages.h"

#include "base/string_resources.h"

namespace quillet {

void tellFailure(HWND owner, UINT id, DWORD error, const std::wstring& subject) {
  std::wstring text = base::fillInserts(base::loadString(GetModuleHandleW(nullptr), id), {std::to_wstring(error), subject});
  MessageBoxW(owner, text.c_str(), kProgramName, MB_OK | MB_ICONERROR);
}

}  // namespace quillet
