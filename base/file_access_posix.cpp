// Native stand-in of the Win32 file access, so that the readers, the merge
// and the benchmark run off Windows. Narrow paths keep the host's "\"
// separator and map it to "/" here; the stand-in does not know code page 932,
// so native tests keep Shift-JIS names out of paths (the Wine tests cover
// them). Wide paths are converted to UTF-8. The 260-byte limit of the host is
// applied the same way, so overlong paths behave alike in both builds.
#include "base/file_access.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace base {
namespace {

std::string nativePath(std::string path) {
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

std::string utf8Of(const std::wstring& wide) {
  std::string text;
  for (wchar_t wc : wide) {
    auto c = static_cast<uint32_t>(wc);
    if (c < 0x80) {
      text += static_cast<char>(c);
    } else if (c < 0x800) {
      text += static_cast<char>(0xC0 | (c >> 6));
      text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      text += static_cast<char>(0xE0 | (c >> 12));
      text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      text += static_cast<char>(0xF0 | ((c >> 18) & 0x07));
      text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return text;
}

bool readNative(const std::string& path, std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  bytes.clear();
  char buffer[65536];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

bool writeAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool readFileBytes(const std::string& ansiPath, std::string& bytes) {
  return fitsMaxPath(ansiPath) && readNative(nativePath(ansiPath), bytes);
}

bool readFileBytes(const std::wstring& widePath, std::string& bytes) {
  return fitsMaxPath(widePath) && readNative(nativePath(utf8Of(widePath)), bytes);
}

bool listDirectory(const std::string& ansiDirectory, std::vector<DirectoryEntry>& entries) {
  entries.clear();
  if (!fitsMaxPath(ansiDirectory + "\\*.*")) return false;
  std::string directory = nativePath(ansiDirectory);
  DIR* dir = opendir(directory.c_str());
  if (!dir) return false;
  while (dirent* found = readdir(dir)) {
    DirectoryEntry entry;
    entry.name = found->d_name;
    struct stat info;
    entry.isDirectory = stat((directory + "/" + entry.name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    entries.push_back(entry);
  }
  closedir(dir);
  return true;
}

bool replaceFileContent(const std::wstring& widePath, const std::string& bytes) {
  if (!fitsMaxPath(widePath)) return false;
  std::string path = nativePath(utf8Of(widePath));
  std::string temp = path + ".XXXXXX";
  int fd = mkstemp(&temp[0]);
  if (fd < 0) return false;
  bool ok = writeAll(fd, bytes) && fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (ok && std::rename(temp.c_str(), path.c_str()) == 0) return true;
  std::remove(temp.c_str());
  return false;
}

bool overwriteFileContent(const std::wstring& widePath, const std::string& bytes) {
  if (!fitsMaxPath(widePath)) return false;
  int fd = ::open(nativePath(utf8Of(widePath)).c_str(), O_WRONLY | O_CREAT, 0644);
  if (fd < 0) return false;
  bool ok = writeAll(fd, bytes) && ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0;
  return ::close(fd) == 0 && ok;
}

}  // namespace base
