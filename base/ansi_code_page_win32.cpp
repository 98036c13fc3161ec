#include "base/ansi_code_page.h"

#include <windows.h>

#include "base/code_page_text.h"

namespace base {

bool isAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE; }

size_t ansiCharacterLength(std::string_view text, size_t at) { return codePageCharacterLength(GetACP(), text, at); }

}  // namespace base
