#include "execution/interpreter_environment.h"

#include <algorithm>

#include "base/ascii_case.h"

namespace sondrel {
namespace {

// The name of an entry ends at its first "=" after the first character:
// the hidden variables of the drives' current directories begin with one.
std::wstring_view entryName(std::wstring_view entry) {
  size_t equals = entry.find(L'=', 1);
  return entry.substr(0, equals == std::wstring_view::npos ? entry.size() : equals);
}

}  // namespace

void InterpreterEnvironment::startIn(const std::wstring& currentDirectory) {
  auto isPrompt = [](const std::wstring& entry) { return base::equalsIgnoringAsciiCase(entryName(entry), L"PROMPT"); };
  if (std::none_of(entries_.begin(), entries_.end(), isPrompt)) set(L"PROMPT", L"$P$G");
  if (currentDirectory.size() >= 2 && currentDirectory[1] == L':')
    set(std::wstring(L"=") + currentDirectory[0] + L":", currentDirectory);
}

void InterpreterEnvironment::set(std::wstring_view name, std::wstring_view value) {
  std::wstring entry = std::wstring(name) + L"=" + std::wstring(value);
  for (std::wstring& existing : entries_) {
    if (base::equalsIgnoringAsciiCase(entryName(existing), name)) {
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
