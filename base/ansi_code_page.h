// Lead bytes of the system ANSI code page, in which the host editor writes
// its files. On Japanese systems (code page 932) the byte after a lead byte
// may be 0x5C ("\"), 0x7C ("|") or an ASCII letter; it is then part of the
// character, never a separator or a letter of its own.
#pragma once

namespace base {

bool isAnsiLeadByte(unsigned char byte);

}  // namespace base
