#include "base/ansi_code_page.h"

#include <windows.h>

namespace base {

bool isAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE; }

}  // namespace base
