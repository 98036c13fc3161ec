#include "execution/cache_listing.h"

#include <windows.h>

#include "base/ansi_code_page.h"
#include "base/win32_files.h"

namespace sondrel {

CacheListing listCacheDirectory(const std::string& directory) {
  CacheListing listing(base::isAnsiLeadByte);
  WIN32_FIND_DATAA found;
  base::FindHandle search(FindFirstFileA((directory + "\\*").c_str(), &found));
  if (!search.valid()) return listing;
  do {
    bool directoryEntry = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (directoryEntry && (lstrcmpA(found.cFileName, ".") == 0 || lstrcmpA(found.cFileName, "..") == 0)) continue;
    listing.add({found.cFileName, found.cAlternateFileName, directoryEntry});
  } while (FindNextFileA(search.get(), &found));
  return listing;
}

void deleteIndexFiles(CacheListing& listing, const std::string& directory, int32_t index) {
  for (const std::string& name : listing.takeIndexFiles(index)) DeleteFileA((directory + "\\" + name).c_str());
}

}  // namespace sondrel
