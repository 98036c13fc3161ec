// Win32 helpers shared by the Win32 files: handle ownership, writing to an
// open file, the state of an event, and the deletion of files by wildcard
// pattern or with retries.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace base {

// Owns one handle so that every early return closes it, with the function
// that closes its kind (CloseHandle, FindClose).
template <BOOL(WINAPI* Close)(HANDLE)>
class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  ~OwnedHandle() {
    if (valid()) Close(handle_);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  OwnedHandle& operator=(OwnedHandle&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

using FileHandle = OwnedHandle<CloseHandle>;
using FindHandle = OwnedHandle<FindClose>;

// Writes all bytes at the file's position; false (last error set) when a
// write fails.
bool writeAll(HANDLE file, const std::string& bytes);

// Whether the event (may be null: never) is signalled now; how the render's
// loops look at the cancel event between their steps.
inline bool isSignalled(HANDLE event) { return event && WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }

// Deletes every file (directories are passed over) of `directory` whose name
// matches the wildcard `pattern`, by its UTF-16 name as the command
// interpreter's `del` does, so that names outside the ANSI code page go too;
// failures are ignored.
void deleteFilesMatching(const std::string& directory, const std::string& pattern);

// How long a clean-up tries again to delete a file that cannot go yet: a
// process ended a moment ago, or a virus scanner, may still hold it open.
constexpr DWORD kDeleteRetryMs = 2000;

// Deletes the files, trying again for up to `milliseconds` those that cannot
// go yet; a file that is gone already counts as deleted. Whatever still
// stands after that is left.
void deleteFilesRetrying(std::vector<std::wstring> paths, DWORD milliseconds);

}  // namespace base
