#include "base/string_resources.h"

namespace base {

std::wstring loadString(HINSTANCE instance, UINT id) {
  const wchar_t* text = nullptr;
  int length = LoadStringW(instance, id, reinterpret_cast<wchar_t*>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

std::wstring fillInserts(const std::wstring& pattern, const std::vector<std::wstring>& inserts) {
  // FormatMessage reads as many arguments as the pattern names, up to %99.
  DWORD_PTR arguments[99];
  for (size_t i = 0; i < 99; ++i)
    arguments[i] = reinterpret_cast<DWORD_PTR>(i < inserts.size() ? inserts[i].c_str() : L"");
  wchar_t* text = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY |
                                    FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                pattern.c_str(), 0, 0, reinterpret_cast<wchar_t*>(&text), 0,
                                reinterpret_cast<va_list*>(arguments));
  std::wstring result = length ? std::wstring(text, length) : pattern;
  LocalFree(text);
  // Windows copies the pattern's line breaks as they are, Wine writes CR LF
  // for each: the texts break lines with LF alone everywhere.
  for (size_t at = 0; (at = result.find(L"\r\n", at)) != std::wstring::npos;) result.erase(at, 1);
  return result;
}

}  // namespace base
