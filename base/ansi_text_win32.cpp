#include "base/ansi_text.h"

#include <windows.h>

#include "base/code_page_text.h"

namespace base {

std::string toAnsi(const std::wstring& wide) {
  if (wide.empty()) return std::string();
  int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &narrow[0], length, nullptr, nullptr);
  return narrow;
}

std::wstring fromAnsi(const std::string& narrow) { return fromCodePage(GetACP(), narrow); }

bool toAnsiPath(const std::wstring& path, std::string& ansi, wchar_t& missing) {
  return toCodePagePath(GetACP(), path, ansi, missing);
}

}  // namespace base
