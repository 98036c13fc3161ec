// The few file operations the portable code needs, behind one interface: the
// Windows build implements them with the system calls the host platform
// offers (narrow names in the ANSI code page, wide names in UTF-16), the
// native build with POSIX calls so that the readers can be tested and fuzzed
// off Windows. Narrow paths use "\" as separator in both.
#pragma once

#include <string>
#include <vector>

namespace base {

// Path buffers of the host platform hold 260 units including the terminator.
constexpr size_t kMaxPath = 260;

inline bool fitsMaxPath(const std::string& path) { return path.size() < kMaxPath; }
inline bool fitsMaxPath(const std::wstring& path) { return path.size() < kMaxPath; }

// Whole content of a file; false when it cannot be opened or read.
bool readFileBytes(const std::string& ansiPath, std::string& bytes);
bool readFileBytes(const std::wstring& widePath, std::string& bytes);

struct DirectoryEntry {
  std::string name;
  bool isDirectory = false;
};

// Entries of a directory in the file system's listing order; false when the
// directory cannot be listed.
bool listDirectory(const std::string& ansiDirectory, std::vector<DirectoryEntry>& entries);

// Replaces the file's content so that a crash or a full disk can never leave
// it half written: the new content goes to a file beside it, is flushed, and
// only then takes the old file's place. False when any step fails; the old
// file is then untouched. That cannot be had in a folder whose path leaves no
// room for the name of the file beside it (over 246 characters), nor for a
// file that another program holds open without letting it be replaced.
bool replaceFileContent(const std::wstring& widePath, const std::string& bytes);

// Writes the content into the file itself, created when missing and cut
// after the content, as a program that holds the file open with write
// sharing allows. A failure part way leaves the file half written.
// In the Windows build, both writers leave the reason for a false result in
// the thread's last error.
bool overwriteFileContent(const std::wstring& widePath, const std::string& bytes);

}  // namespace base
