#include "project/ansi_code_page.h"

#include <windows.h>

namespace sondrel {

bool isAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE; }

}  // namespace sondrel
