#include "model/field_text.h"

#include "base/number_text.h"

namespace quillet {

char asciiOf(wchar_t unit) {
  auto code = static_cast<uint32_t>(unit);
  if (code < 0x80) return static_cast<char>(code);
  if (code >= 0xFF01 && code <= 0xFF5E) return static_cast<char>(code - 0xFF01 + '!');
  return 0;
}

std::string asciiText(std::wstring_view text) {
  std::string ascii(text.size(), '?');
  for (size_t i = 0; i < text.size(); ++i)
    if (char c = asciiOf(text[i])) ascii[i] = c;
  return ascii;
}

int32_t fieldNumber(std::wstring_view text) { return base::readInt(asciiText(text)); }

}  // namespace quillet
