#include "base/ansi_code_page.h"

#include <windows.h>

namespace base {

bool isAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByteEx(CP_ACP, byte) != FALSE; }

size_t ansiCharacterLength(std::string_view text, size_t at) {
  if (at >= text.size()) return 0;
  unsigned char byte = static_cast<unsigned char>(text[at]);
  // ASCII is the same in every ANSI code page and never starts a pair.
  if (byte < 0x80) return 1;
  int length = isAnsiLeadByte(byte) ? 2 : 1;
  if (at + static_cast<size_t>(length) > text.size()) return 0;
  const char* bytes = text.data() + at;
  wchar_t wide[2] = {};
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, length, wide, 2) != 1) return 0;
  char back[4] = {};
  BOOL defaulted = FALSE;
  int backLength = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, 1, back, 4, nullptr, &defaulted);
  if (defaulted || backLength != length || back[0] != bytes[0] || (length == 2 && back[1] != bytes[1])) return 0;
  return static_cast<size_t>(length);
}

}  // namespace base
