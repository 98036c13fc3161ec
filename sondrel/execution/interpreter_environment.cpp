#include "execution/interpreter_environment.h"

namespace sondrel {
namespace {

// The name of an entry ends at its first "=" after the first character:
// the hidden variables of the drives' current directories begin with one.
std::wstring_view entryName(std::wstring_view entry) {
  size_t equals = entry.find(L'=', 1);
  return entry.substr(0, equals == std::wstring_view::npos ? entry.size() : equals);
}

wchar_t upperAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool sameName(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (upperAscii(a[i]) != upperAscii(b[i])) return false;
  return true;
}

}  // namespace

void InterpreterEnvironment::startIn(const std::wstring& currentDirectory) {
  bool prompt = false;
  for (const std::wstring& entry : entries_) prompt = prompt || sameName(entryName(entry), L"PROMPT");
  if (!prompt) set(L"PROMPT", L"$P$G");
  if (currentDirectory.size() >= 2 && currentDirectory[1] == L':')
    set(std::wstring(L"=") + currentDirectory[0] + L":", currentDirectory);
}

void InterpreterEnvironment::set(std::wstring_view name, std::wstring_view value) {
  std::wstring entry = std::wstring(name) + L"=" + std::wstring(value);
  for (std::wstring& existing : entries_) {
    if (sameName(entryName(existing), name)) {
      existing = std::move(entry);
      return;
    }
  }
  entries_.push_back(std::move(entry));
}

std::wstring InterpreterEnvironment::block() const {
  std::wstring text;
  for (const std::wstring& entry : entries_) {
    text += entry;
    text += L'\0';
  }
  text += L'\0';
  return text;
}

std::vector<std::wstring> environmentEntries(const wchar_t* block) {
  std::vector<std::wstring> entries;
  for (const wchar_t* entry = block; entry && *entry; entry += entries.back().size() + 1) entries.emplace_back(entry);
  return entries;
}

}  // namespace sondrel
