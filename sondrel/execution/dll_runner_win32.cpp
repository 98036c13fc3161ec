#include "execution/dll_runner.h"

#include <shlwapi.h>

#include <string>

#include "base/status.h"
#include "base/win32_files.h"
#include "execution/cache_listing.h"
#include "execution/dll_arguments.h"
#include "execution/pacer.h"
#include "execution/render_failure.h"
#include "execution/tool_entry_call.h"

namespace sondrel {
namespace {

// How a tool library and what it needs are found. It may ship the DLLs it
// needs beside it in the host directory, or rely on ones that a plain load by
// full path found through PATH, which a library installed with its runtime
// elsewhere does. The current directory, the plug-in file's folder, where
// anyone who can write a song can put a DLL, is never searched: a DLL
// directory set for the process takes it out of every later search, which
// covers the loads the libraries make themselves later, by name. That
// directory is the system's, which the search holds anyway; the empty text
// that the system documents for this leaves the current directory in under
// Wine. So: the library's own folder, sondrel's and the system's first; a
// dependency not found there is then looked for as a plain load would, but
// without the current directory (the library's folder, the system's, PATH).
// The same second way serves systems whose loader lacks the first (Windows 7
// without its 2011 loader update).
HMODULE loadToolLibrary(const wchar_t* path) {
  wchar_t system[MAX_PATH] = {};
  UINT length = GetSystemDirectoryW(system, MAX_PATH);
  SetDllDirectoryW(length > 0 && length < MAX_PATH ? system : L"");
  HMODULE module = LoadLibraryExW(path, nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  if (module) return module;
  const DWORD error = GetLastError();
  if (error != ERROR_INVALID_PARAMETER && error != ERROR_MOD_NOT_FOUND) return nullptr;
  return LoadLibraryExW(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

class Library {
 public:
  Library() = default;
  ~Library() {
    if (module_) FreeLibrary(module_);
  }
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  // 0 when loaded, or when the load failed without an error code (the
  // library's entry points are then all missing); otherwise that code, with
  // `failure` naming the library.
  int32_t load(const std::wstring& directory, const wchar_t* name, RenderFailure& failure) {
    wchar_t path[MAX_PATH] = {};
    if (directory.size() >= MAX_PATH || !lstrcpynW(path, directory.c_str(), MAX_PATH) || !PathAppendW(path, name)) {
      failure = RenderFailure::pathTooLong(FailureSubject::None, directory + L"\\" + name);
      return base::kStatusFilenameTooLong;
    }
    path_ = path;
    module_ = loadToolLibrary(path);
    if (module_) return base::kStatusOk;
    DWORD error = GetLastError();
    if (error == 0) return base::kStatusOk;
    failure = RenderFailure::library(FailureCause::LibraryNotLoaded, path, error);
    return static_cast<int32_t>(error);
  }

  FARPROC entry(const char* name) const { return module_ ? GetProcAddress(module_, name) : nullptr; }

  // Calls the entry point (a missing one is skipped) with the strings, and a
  // null pointer after them for the resampler's unused last argument. 0, or
  // 193 (ERROR_BAD_EXE_FORMAT) with `failure` naming the library when it
  // turned out to be built for stdcall: its next call could not be trusted.
  template <size_t count>
  int32_t call(FARPROC entry, const std::array<std::string, count>& strings, size_t nulls,
               RenderFailure& failure) const {
    if (!entry) return base::kStatusOk;
    const char* arguments[count + 1] = {};
    for (size_t i = 0; i < count; ++i) arguments[i] = strings[i].c_str();
    if (!callToolEntry(entry, arguments, count + nulls).calleeRemovedArguments) return base::kStatusOk;
    failure = RenderFailure::library(FailureCause::LibraryConvention, path_);
    return base::kStatusBadExeFormat;
  }

 private:
  HMODULE module_ = nullptr;
  std::wstring path_;
};

}  // namespace

int32_t runWithDlls(const RenderConfig& config, const std::wstring& libraryDir, RenderProgress& progress,
                    RenderFailure& failure) {
  progress.setRange(config.requests.size());
  progress.setPosition(0);
  const std::string header = config.outputPath + ".whd";
  const std::string data = config.outputPath + ".dat";
  DeleteFileA(config.outputPath.c_str());
  DeleteFileA(header.c_str());
  DeleteFileA(data.c_str());
  CreateDirectoryA(config.cacheDir.c_str(), nullptr);

  // A program path too long to name the host directory must not fall back
  // to a search by name.
  if (libraryDir.empty()) {
    failure = RenderFailure::pathTooLong(FailureSubject::None, std::wstring(L"resampler10.dll"));
    return base::kStatusFilenameTooLong;
  }
  Library resampler;
  int32_t status = resampler.load(libraryDir, L"resampler10.dll", failure);
  if (status != base::kStatusOk) return status;
  Library wavtool;
  status = wavtool.load(libraryDir, L"wavtool2.dll", failure);
  if (status != base::kStatusOk) return status;
  FARPROC resample = resampler.entry("exec"), append = wavtool.entry("exec"), join = wavtool.entry("append_files");
  CacheListing cache = listCacheDirectory(config.cacheDir);

  Pacer display(kDisplayIntervalMs), cancel(kCancelCheckIntervalMs);
  size_t position = 0;
  for (const RenderRequest& request : config.requests) {
    const uint64_t now = GetTickCount64();
    if (cancel.due(now, false) && progress.cancelled()) return base::kStatusCancelled;
    ++position;
    if (display.due(now, position == config.requests.size())) {
      progress.showNote(request.resampler.lyric);
      progress.setPosition(position);
    }
    if (request.kind == RequestKind::Sung && !cache.contains(request.resampler.cachePath)) {
      deleteIndexFiles(cache, config.cacheDir, request.cacheIndex);
      status = resampler.call(resample, resamplerArguments(config, request), 1, failure);
      if (status != base::kStatusOk) return status;
      cache.add({request.resampler.cachePath, {}, false});
    }
    status = wavtool.call(append, wavtoolArguments(config, request), 0, failure);
    if (status != base::kStatusOk) return status;
  }
  status = wavtool.call(join, std::array<std::string, 3>{header, data, config.outputPath}, 0, failure);
  if (status != base::kStatusOk) return status;
  DeleteFileA(header.c_str());
  DeleteFileA(data.c_str());
  // Leaving the scope frees the wavtool library first, then the resampler's.
  return base::kStatusOk;
}

}  // namespace sondrel
