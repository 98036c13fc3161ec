#include "base/win32_files.h"

#include <algorithm>

#include "base/ansi_text.h"

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
  const std::wstring wideDirectory = fromAnsi(directory);
  WIN32_FIND_DATAW found;
  FindHandle search(FindFirstFileW((wideDirectory + L"\\" + fromAnsi(pattern)).c_str(), &found));
  if (!search.valid()) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      DeleteFileW((wideDirectory + L"\\" + found.cFileName).c_str());
  } while (FindNextFileW(search.get(), &found));
}

void deleteFilesRetrying(std::vector<std::wstring> paths, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    paths.erase(std::remove_if(paths.begin(), paths.end(),
                               [](const std::wstring& path) {
                                 if (DeleteFileW(path.c_str())) return true;
                                 DWORD error = GetLastError();
                                 return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
                               }),
                paths.end());
    if (paths.empty() || GetTickCount() - start >= milliseconds) return;
    Sleep(50);
  }
}

}  // namespace base
