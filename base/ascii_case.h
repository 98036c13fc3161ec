// Letter case of the ASCII letters only, for names that the system compares
// without regard to case (environment variables, file extensions, keys of the
// host editor's project file); other bytes, the halves of a double-byte
// character among them, compare as they are.
#pragma once

#include <string_view>

namespace base {

template <typename Char>
Char lowerAscii(Char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

template <typename Char>
bool equalsIgnoringAsciiCase(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  return true;
}

inline bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return equalsIgnoringAsciiCase<char>(a, b);
}

inline bool equalsIgnoringAsciiCase(std::wstring_view a, std::wstring_view b) {
  return equalsIgnoringAsciiCase<wchar_t>(a, b);
}

}  // namespace base
