#include "base/ansi_code_page.h"

namespace base {

// The native build stands for a system with a single-byte code page; the
// double-byte behaviour is tested under Wine with code page 932.
bool isAnsiLeadByte(unsigned char) { return false; }

size_t ansiCharacterLength(std::string_view text, size_t at) { return at < text.size() ? 1 : 0; }

}  // namespace base
