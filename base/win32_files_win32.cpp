#include "base/win32_files.h"

namespace base {

void deleteFilesMatching(const std::string& directory, const std::string& pattern) {
  WIN32_FIND_DATAA found;
  FindHandle search(FindFirstFileA((directory + "\\" + pattern).c_str(), &found));
  if (!search.valid()) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      DeleteFileA((directory + "\\" + found.cFileName).c_str());
  } while (FindNextFileA(search.get(), &found));
}

}  // namespace base
