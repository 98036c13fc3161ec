#include "project/file_access.h"

#include <windows.h>

namespace sondrel {
namespace {

// Owns a handle so that every early return closes it.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

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

}  // namespace sondrel
