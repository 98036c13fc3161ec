#include "base/code_page_text.h"

#include <windows.h>

namespace base {
namespace {

// Bytes of the UTF-8 sequence that the byte begins; 0 for a byte that
// begins none (a continuation byte, an overlong or out-of-range lead).
size_t utf8SequenceLength(unsigned char byte) {
  if (byte >= 0xC2 && byte <= 0xDF) return 2;
  if (byte >= 0xE0 && byte <= 0xEF) return 3;
  if (byte >= 0xF0 && byte <= 0xF4) return 4;
  return 0;
}

std::wstring shortForm(const std::wstring& path) {
  DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return std::wstring();
  std::wstring shortPath(size, L'\0');
  DWORD length = GetShortPathNameW(path.c_str(), &shortPath[0], size);
  shortPath.resize(length < size ? length : 0);
  return shortPath;
}

std::string convert(unsigned codePage, std::wstring_view wide) {
  const DWORD flags = exactConversionFlags(codePage);
  const int size = static_cast<int>(wide.size());
  int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return std::string();
  std::string narrow(static_cast<size_t>(length), '\0');
  length = WideCharToMultiByte(codePage, flags, wide.data(), size, &narrow[0], length, nullptr, nullptr);
  narrow.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return narrow;
}

}  // namespace

unsigned long exactConversionFlags(unsigned codePage) {
  return codePage == CP_UTF8 || codePage == 54936 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
}

bool toCodePageExact(unsigned codePage, std::wstring_view wide, std::string& narrow, wchar_t& missing) {
  narrow = convert(codePage, wide);
  if (fromCodePage(codePage, narrow) == wide) return true;
  narrow.clear();
  missing = L'?';
  for (size_t at = 0; at < wide.size();) {
    const bool pair = IS_HIGH_SURROGATE(wide[at]) && at + 1 < wide.size() && IS_LOW_SURROGATE(wide[at + 1]);
    std::wstring_view character = wide.substr(at, pair ? 2 : 1);
    if (fromCodePage(codePage, convert(codePage, character)) != character) {
      missing = wide[at];
      break;
    }
    at += character.size();
  }
  return false;
}

bool toCodePagePath(unsigned codePage, const std::wstring& path, std::string& narrow, wchar_t& missing) {
  if (toCodePageExact(codePage, path, narrow, missing)) return true;
  wchar_t unused = 0;
  std::wstring shortPath = shortForm(path);
  if (!shortPath.empty() && toCodePageExact(codePage, shortPath, narrow, unused)) return true;
  // A file about to be written has no short form yet; its directory may.
  size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return false;
  std::wstring shortDir = shortForm(path.substr(0, slash));
  return !shortDir.empty() && toCodePageExact(codePage, shortDir + path.substr(slash), narrow, unused);
}

std::wstring fromCodePage(unsigned codePage, std::string_view narrow) {
  if (narrow.empty()) return std::wstring();
  const int size = static_cast<int>(narrow.size());
  int length = MultiByteToWideChar(codePage, 0, narrow.data(), size, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  length = MultiByteToWideChar(codePage, 0, narrow.data(), size, &wide[0], length);
  wide.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return wide;
}

size_t codePageCharacterLength(unsigned codePage, std::string_view text, size_t at) {
  if (at >= text.size()) return 0;
  const unsigned char byte = static_cast<unsigned char>(text[at]);
  // ASCII is the same in every ANSI code page and never begins a sequence.
  if (byte < 0x80) return 1;
  size_t length = codePage == CP_UTF8 ? utf8SequenceLength(byte) : IsDBCSLeadByteEx(codePage, byte) ? 2 : 1;
  if (length == 0 || at + length > text.size()) return 0;
  std::string_view bytes = text.substr(at, length);
  wchar_t wide[2] = {};
  int units = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(length), wide, 2);
  std::string back;
  wchar_t missing = 0;
  if (units < 1 || !toCodePageExact(codePage, std::wstring_view(wide, static_cast<size_t>(units)), back, missing) ||
      back != bytes)
    return 0;
  return length;
}

}  // namespace base
