// Characters of the system ANSI code page, in which the host editor writes
// its files. On Japanese systems (code page 932) the byte after a lead byte
// may be 0x5C ("\"), 0x7C ("|") or an ASCII letter; it is then part of the
// character, never a separator or a letter of its own.
#pragma once

#include <cstddef>
#include <string_view>

namespace base {

bool isAnsiLeadByte(unsigned char byte);

// The length in bytes (1 or 2) of the character that starts at text[at], or 0
// when the bytes there are no character of the code page that converts to
// Unicode and back unchanged.
size_t ansiCharacterLength(std::string_view text, size_t at);

}  // namespace base
