// The short (8.3) form of an existing path, kept in a file of its own so that
// a test program can link its own version: 8.3 names are switched off on many
// current systems and the short form then keeps the blanks of the long one.
#pragma once

#include <string>

namespace sondrel {

// Empty when the system cannot give it (missing file, form longer than 259 bytes).
std::string shortPathOf(const std::string& path);

}  // namespace sondrel
