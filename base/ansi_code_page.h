// Characters of the system ANSI code page, in which the host editor writes
// its files. On Japanese systems (code page 932) the byte after a lead byte
// may be 0x5C ("\"), 0x7C ("|") or an ASCII letter; it is then part of the
// character, never a separator or a letter of its own. Under the UTF-8 code
// page (65001) a character takes up to four bytes, none of them ASCII.
#pragma once

#include <cstddef>
#include <string_view>

namespace base {

// The length in bytes of the character that starts at text[at], or 0 when the
// bytes there are no character of the code page that converts to Unicode and
// back unchanged (a lead byte at the end, a second byte the code page does
// not define). How text of a render is split into characters.
using CharacterLength = size_t (*)(std::string_view text, size_t at);

bool isAnsiLeadByte(unsigned char byte);

// CharacterLength in the ANSI code page.
size_t ansiCharacterLength(std::string_view text, size_t at);

}  // namespace base
