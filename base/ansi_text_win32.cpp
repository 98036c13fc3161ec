#include "base/ansi_text.h"

#include <windows.h>

namespace base {
namespace {

// The conversion without look-alikes; false, with the first character that
// has no ANSI form, when there is one.
bool toAnsiExact(const std::wstring& wide, std::string& narrow, wchar_t& missing) {
  narrow.clear();
  if (wide.empty()) return true;
  BOOL defaulted = FALSE;
  int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), nullptr,
                                   0, nullptr, &defaulted);
  if (length > 0 && !defaulted) {
    narrow.resize(static_cast<size_t>(length));
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), &narrow[0], length,
                        nullptr, nullptr);
    return true;
  }
  missing = L'?';
  for (wchar_t c : wide) {
    char bytes[4];
    BOOL lost = FALSE;
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &c, 1, bytes, 4, nullptr, &lost) <= 0 || lost) {
      missing = c;
      break;
    }
  }
  return false;
}

std::wstring shortForm(const std::wstring& path) {
  DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (size == 0) return std::wstring();
  std::wstring shortPath(size, L'\0');
  DWORD length = GetShortPathNameW(path.c_str(), &shortPath[0], size);
  shortPath.resize(length < size ? length : 0);
  return shortPath;
}

}  // namespace

std::string toAnsi(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &narrow[0], length, nullptr, nullptr);
  return narrow;
}

std::wstring fromAnsi(const std::string& narrow) {
  if (narrow.empty()) return std::wstring();
  int length = MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, narrow.data(), static_cast<int>(narrow.size()), &wide[0], length);
  return wide;
}

bool toAnsiPath(const std::wstring& path, std::string& ansi, wchar_t& missing) {
  if (toAnsiExact(path, ansi, missing)) return true;
  wchar_t unused = 0;
  std::wstring shortPath = shortForm(path);
  if (!shortPath.empty() && toAnsiExact(shortPath, ansi, unused)) return true;
  // A file about to be written has no short form yet; its directory may.
  size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return false;
  std::wstring shortDir = shortForm(path.substr(0, slash));
  return !shortDir.empty() && toAnsiExact(shortDir + path.substr(slash), ansi, unused);
}

}  // namespace base
