#include "execution/cache_listing.h"

#include <windows.h>

#include "base/ansi_code_page.h"
#include "base/ansi_text.h"
#include "base/code_page_text.h"
#include "base/win32_files.h"

namespace sondrel {
namespace {

std::string comparableName(std::wstring_view name) {
  const unsigned codePage = GetACP();
  std::string narrow, character;
  wchar_t missing = 0;
  if (base::toCodePageExact(codePage, name, narrow, missing)) return narrow;
  for (size_t at = 0; at < name.size();) {
    const bool pair = IS_HIGH_SURROGATE(name[at]) && at + 1 < name.size() && IS_LOW_SURROGATE(name[at + 1]);
    const size_t length = pair ? 2 : 1;
    narrow += base::toCodePageExact(codePage, name.substr(at, length), character, missing) ? character : "?";
    at += length;
  }
  return narrow;
}

std::wstring pathOf(const std::string& directory, const CacheEntry& entry) {
  return base::fromAnsi(directory) + L"\\" + (entry.fileName.empty() ? base::fromAnsi(entry.name) : entry.fileName);
}

}  // namespace

CacheListing listCacheDirectory(const std::string& directory) {
  CacheListing listing(base::isAnsiLeadByte);
  WIN32_FIND_DATAW found;
  base::FindHandle search(FindFirstFileW((base::fromAnsi(directory) + L"\\*").c_str(), &found));
  if (!search.valid()) return listing;
  do {
    bool directoryEntry = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (directoryEntry && (lstrcmpW(found.cFileName, L".") == 0 || lstrcmpW(found.cFileName, L"..") == 0)) continue;
    listing.add({comparableName(found.cFileName), comparableName(found.cAlternateFileName), directoryEntry,
                 found.cFileName});
  } while (FindNextFileW(search.get(), &found));
  return listing;
}

void deleteIndexFiles(CacheListing& listing, const std::string& directory, int32_t index) {
  for (const CacheEntry& entry : listing.takeIndexFiles(index)) DeleteFileW(pathOf(directory, entry).c_str());
}

void deleteFilesCreatedSince(const CacheListing& earlier, const std::string& directory) {
  std::vector<std::wstring> created;
  for (const CacheEntry& entry : listCacheDirectory(directory).filesMissingFrom(earlier))
    created.push_back(pathOf(directory, entry));
  base::deleteFilesRetrying(std::move(created), base::kDeleteRetryMs);
}

}  // namespace sondrel
