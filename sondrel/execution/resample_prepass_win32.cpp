#include "execution/resample_prepass.h"

#include <shlwapi.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/ansi_text.h"
#include "base/status.h"
#include "base/win32_files.h"
#include "execution/cache_listing.h"
#include "execution/helper_resampler_call.h"
#include "execution/interpreter_environment.h"
#include "execution/pacer.h"
#include "execution/process_job.h"

namespace sondrel {
namespace {

struct Run {
  base::FileHandle process;
  std::string cacheFile;
};

bool startsAsNamed(const std::string& program) {
  if (program.size() < 4 || PathIsRelativeA(program.c_str()) ||
      lstrcmpiA(program.c_str() + program.size() - 4, ".exe") != 0)
    return false;
  DWORD attributes = GetFileAttributesA(program.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring currentDirectory() {
  std::wstring directory(GetCurrentDirectoryW(0, nullptr), L'\0');
  directory.resize(GetCurrentDirectoryW(static_cast<DWORD>(directory.size()), &directory[0]));
  return directory;
}

void setAll(InterpreterEnvironment& environment, const std::vector<ScriptVariable>& variables) {
  // The values mean what they mean in the ANSI code page, in which sondrel
  // wrote the scripts. The interpreter reads scripts in the OEM code page,
  // the same one on Japanese systems (932); where the two differ it misreads
  // every character beyond ASCII, and these runs get what was meant.
  for (const ScriptVariable& variable : variables)
    environment.set(base::fromAnsi(variable.name), base::fromAnsi(variable.value));
}

// The interpreter's environment once the main script's header has run.
InterpreterEnvironment headerEnvironment(const RenderConfig& config, std::string_view helperReference,
                                         const std::wstring& directory) {
  wchar_t* block = GetEnvironmentStringsW();
  InterpreterEnvironment environment(environmentEntries(block));
  if (block) FreeEnvironmentStringsW(block);
  environment.startIn(directory);
  setAll(environment, headerVariables(config, helperReference));
  return environment;
}

class Prepass {
 public:
  Prepass(HANDLE cancelEvent, size_t total, const PrepassProgress& progress)
      : cancelEvent_(cancelEvent), total_(total), progress_(progress) {
    report();
  }

  bool start(const RenderConfig& config, const RenderRequest& request, const std::wstring& environment) {
    HANDLE process = nullptr;
    // No console at all: sondrel has none to share, a console of its own per
    // note would flash a window (and under Wine start a console host process
    // each time), and the interpreter's console, where the scripts' runs
    // write, is read by nobody either.
    if (job_.start(config.resamplerPath.c_str(), helperResamplerCommandLine(config, request), environment.c_str(),
                   process, CREATE_UNICODE_ENVIRONMENT | DETACHED_PROCESS) != base::kStatusOk)
      return false;
    running_.push_back({base::FileHandle(process), config.cacheDir + "\\" + request.resampler.cachePath});
    return true;
  }

  size_t running() const { return running_.size(); }

  // Waits until a run ends (true), or until Cancel is pressed or the wait
  // fails (false).
  bool awaitOne() {
    std::vector<HANDLE> handles;
    for (const Run& run : running_) handles.push_back(run.process.get());
    if (cancelEvent_) handles.push_back(cancelEvent_);
    DWORD woken = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, INFINITE);
    size_t index = woken - WAIT_OBJECT_0;
    if (index >= running_.size()) return false;
    DWORD exitCode = 0;
    GetExitCodeProcess(running_[index].process.get(), &exitCode);
    if (exitCode != 0) DeleteFileA(running_[index].cacheFile.c_str());
    running_.erase(running_.begin() + static_cast<std::ptrdiff_t>(index));
    ++ended_;
    report();
    return true;
  }

  // Ends every run and deletes the cache files they were writing. Returns
  // 1223 when Cancel was pressed; otherwise the wait failed, and the script
  // resamples those notes.
  int32_t stop() {
    job_.terminateAll(base::kStatusCancelled);
    for (const Run& run : running_) {
      // Ended processes close their files; only then can the files go.
      WaitForSingleObject(run.process.get(), 10000);
      DeleteFileA(run.cacheFile.c_str());
    }
    running_.clear();
    return cancelRequested() ? base::kStatusCancelled : base::kStatusOk;
  }

  bool cancelRequested() const { return base::isSignalled(cancelEvent_); }

 private:
  void report() {
    if (pacer_.due(GetTickCount64(), ended_ == total_)) progress_(ended_, total_);
  }

  HANDLE cancelEvent_;
  size_t total_;
  const PrepassProgress& progress_;
  size_t ended_ = 0;
  Pacer pacer_{kDisplayIntervalMs};
  ProcessJob job_;
  std::vector<Run> running_;
};

}  // namespace

int32_t runResamplePrepass(HANDLE cancelEvent, const RenderConfig& config, std::string_view helperReference, int runs,
                           const PrepassProgress& progress) {
  const size_t limit = std::min<size_t>(static_cast<size_t>(std::max(runs, 0)), MAXIMUM_WAIT_OBJECTS - 1);
  // The interpreter does not stay in a share's directory (it moves to the
  // system's), so its runs would not start where sondrel's would.
  const std::wstring directory = currentDirectory();
  if (limit < 2 || !startsAsNamed(config.resamplerPath) || directory.size() < 2 || directory[1] != L':')
    return base::kStatusOk;
  CreateDirectoryA(config.cacheDir.c_str(), nullptr);
  CacheListing cache = listCacheDirectory(config.cacheDir);
  size_t total = 0;
  for (const RenderRequest& request : config.requests)
    if (!request.resampler.skipResample && !cache.contains(request.resampler.cachePath)) ++total;
  if (total == 0) return base::kStatusOk;

  InterpreterEnvironment environment = headerEnvironment(config, helperReference, directory);
  Prepass prepass(cancelEvent, total, progress);
  for (const RenderRequest& request : config.requests) {
    // Every block's variables, in the script's order: a variable keeps the
    // place where the script first set it.
    setAll(environment, blockVariables(config, request));
    if (request.resampler.skipResample || cache.contains(request.resampler.cachePath)) continue;
    while (prepass.running() >= limit)
      if (!prepass.awaitOne()) return prepass.stop();
    if (prepass.cancelRequested()) return prepass.stop();
    deleteIndexFiles(cache, config.cacheDir, request.cacheIndex);
    if (!prepass.start(config, request, environment.block())) break;
    cache.add({request.resampler.cachePath, {}, false});
  }
  while (prepass.running() > 0)
    if (!prepass.awaitOne()) return prepass.stop();
  return base::kStatusOk;
}

}  // namespace sondrel
