#include "shell/wav_duration.h"

#include <windows.h>

namespace sondrel {

double wavDurationMs(const wchar_t* path) {
  HANDLE file = CreateFileW(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0.0;
  char header[kWavHeaderSize];
  DWORD got = 0;
  LARGE_INTEGER size = {};
  bool read = ReadFile(file, header, sizeof header, &got, nullptr) && GetFileSizeEx(file, &size);
  CloseHandle(file);
  if (!read || size.QuadPart < 0) return 0.0;
  return wavHeaderDurationMs(std::string_view(header, got), static_cast<uint64_t>(size.QuadPart));
}

}  // namespace sondrel
