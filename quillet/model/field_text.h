// The texts of the dialog's fields and the grid's rows, read the way the
// host editor's numbers and note names are read. An input method on (as
// Japanese users type) enters the full-width forms U+FF01 to U+FF5E of the
// ASCII characters "!" to "~"; each stands for its ASCII character, which
// is never ambiguous.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

// The ASCII character a unit stands for: itself below 0x80, its ASCII form
// for a full-width one; 0 for any other.
char asciiOf(wchar_t unit);
// The text with each unit as asciiOf gives it, and "?" for the others, which
// is neither a digit, a sign, a blank nor part of a note name: "４" is 4,
// "あ" is no digit.
std::string asciiText(std::wstring_view text);

// A signed decimal number: leading blanks, an optional sign, the digits up to
// the first other character; no digits give 0, and a number beyond 32 bits
// saturates.
int32_t fieldNumber(std::wstring_view text);

}  // namespace quillet
