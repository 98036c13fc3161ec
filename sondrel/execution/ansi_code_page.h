// Lead bytes of the system ANSI code page, for the batch text checks.
#pragma once

namespace sondrel {

bool isAnsiLeadByte(unsigned char byte);

}  // namespace sondrel
