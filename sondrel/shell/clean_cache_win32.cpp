#include "shell/clean_cache.h"

#include <windows.h>

#include "base/win32_files.h"

namespace sondrel {

void cleanCache(const std::string& cacheDir) {
  base::deleteFilesMatching(cacheDir, "*.wav");
  RemoveDirectoryA(cacheDir.c_str());
}

}  // namespace sondrel
