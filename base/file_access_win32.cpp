#include "base/file_access.h"

#include <windows.h>

#include "base/win32_files.h"

namespace base {
namespace {

bool readAll(HANDLE file, std::string& bytes) {
  bytes.clear();
  LARGE_INTEGER size;
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < (1LL << 31))
    bytes.reserve(static_cast<size_t>(size.QuadPart));
  char buffer[65536];
  DWORD got = 0;
  for (;;) {
    if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr)) return false;
    if (got == 0) return true;
    bytes.append(buffer, got);
  }
}

// The directory part of a wide path (the current one when it has none),
// where the replacement is written so that the final move stays on one volume.
std::wstring directoryOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return path.size() >= 2 && path[1] == L':' ? path.substr(0, 2) : L".";
  if (slash == 0 || (slash == 2 && path[1] == L':')) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

}  // namespace

bool readFileBytes(const std::string& ansiPath, std::string& bytes) {
  if (!fitsMaxPath(ansiPath)) return false;
  FileHandle file(CreateFileA(ansiPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid() && readAll(file.get(), bytes);
}

bool readFileBytes(const std::wstring& widePath, std::string& bytes) {
  if (!fitsMaxPath(widePath)) return false;
  FileHandle file(CreateFileW(widePath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid() && readAll(file.get(), bytes);
}

// Narrow names stay in the ANSI code page as the system returns them; the
// pattern is only appended to, never split at "\", so a code page 932 name
// whose second byte is 0x5C keeps that byte.
bool listDirectory(const std::string& ansiDirectory, std::vector<DirectoryEntry>& entries) {
  entries.clear();
  std::string pattern = ansiDirectory + "\\*.*";
  if (!fitsMaxPath(pattern)) return false;
  WIN32_FIND_DATAA data;
  FindHandle find(FindFirstFileA(pattern.c_str(), &data));
  if (!find.valid()) return false;
  do {
    DirectoryEntry entry;
    entry.name = data.cFileName;
    entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entries.push_back(entry);
  } while (FindNextFileA(find.get(), &data));
  return true;
}

// The new content goes to a uniquely named file in the same directory and is
// flushed before it replaces the old file in one move, so a crash, a full
// disk or a failed write leaves either the old or the new file, never a
// truncated one.
bool replaceFileContent(const std::wstring& widePath, const std::string& bytes) {
  std::wstring directory = directoryOf(widePath);
  // GetTempFileNameW writes the directory, a backslash and a 12-character name
  // into its MAX_PATH buffer. Windows refuses a longer directory; Wine 8
  // writes the name anyway, without its terminator or past the buffer.
  if (!fitsMaxPath(widePath) || directory.size() > MAX_PATH - 14) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  wchar_t temp[MAX_PATH] = {};
  if (!GetTempFileNameW(directory.c_str(), L"snd", 0, temp)) return false;
  bool written = false;
  {
    FileHandle file(CreateFileW(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    written = file.valid() && writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
  }
  if (written && MoveFileExW(temp, widePath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  DWORD error = GetLastError();
  DeleteFileW(temp);
  SetLastError(error);
  return false;
}

bool overwriteFileContent(const std::wstring& widePath, const std::string& bytes) {
  if (!fitsMaxPath(widePath)) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return false;
  }
  FileHandle file(CreateFileW(widePath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  return file.valid() && writeAll(file.get(), bytes) && SetEndOfFile(file.get()) && FlushFileBuffers(file.get());
}

}  // namespace base
