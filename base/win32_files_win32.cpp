#include "base/win32_files.h"

#include <algorithm>

namespace base {

bool writeAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_WRITE_FAULT);
      return false;
    }
    done += written;
  }
  return true;
}

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
