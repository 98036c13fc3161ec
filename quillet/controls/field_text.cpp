#include "controls/field_text.h"

#include "base/number_text.h"

namespace quillet {

std::string asciiText(std::wstring_view text) {
  std::string ascii(text.size(), '?');
  for (size_t i = 0; i < text.size(); ++i)
    if (static_cast<uint32_t>(text[i]) < 0x80) ascii[i] = static_cast<char>(text[i]);
  return ascii;
}

int32_t fieldNumber(std::wstring_view text) { return base::readInt(asciiText(text)); }

}  // namespace quillet
