// The texts of the dialog's fields and the grid's rows, read the way the
// host editor's numbers and note names are read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

// The text with every unit beyond ASCII turned into "?", which is neither a
// digit, a sign, a blank nor part of a note name: a full-width "４" is no 4.
std::string asciiText(std::wstring_view text);

// A signed decimal number: leading blanks, an optional sign, the digits up to
// the first other character; no digits give 0, and a number beyond 32 bits
// saturates.
int32_t fieldNumber(std::wstring_view text);

}  // namespace quillet
