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
#include "execution/run_files.h"
#include "execution/run_order.h"

namespace sondrel {
namespace {

struct Run {
  base::FileHandle process;
  std::string cacheFile;
  size_t order;  // the run's number in RunOrder
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
  // builds the scripts; the interpreter reads the same characters, in the
  // code page the main script is written in (interpreter_code_page.h).
  for (const ScriptVariable& variable : variables)
    environment.set(base::fromAnsi(variable.name), base::fromAnsi(variable.value));
}

// The interpreter's environment once the main script's header has run.
InterpreterEnvironment headerEnvironment(const ScriptReplay& script, const std::wstring& directory) {
  wchar_t* block = GetEnvironmentStringsW();
  InterpreterEnvironment environment(environmentEntries(block));
  if (block) FreeEnvironmentStringsW(block);
  environment.startIn(directory);
  setAll(environment, script.headerVariables());
  return environment;
}

// The interpreter's environment at the call line of each request, for runs
// that start out of the script's order. A variable keeps the place where the
// script first set it, and a sung note's block sets every variable that any
// block sets: the environment at a sung note is the one after any later
// block, with that note's own block set once more.
class BlockEnvironments {
 public:
  BlockEnvironments(const ScriptReplay& script, const std::wstring& directory, const RenderConfig& config)
      : script_(script), environment_(headerEnvironment(script, directory)), config_(config) {}

  std::wstring at(size_t position) {
    for (; applied_ <= position; ++applied_) setAll(environment_, script_.blockVariables(config_.requests[applied_]));
    InterpreterEnvironment environment = environment_;
    setAll(environment, script_.blockVariables(config_.requests[position]));
    return environment.block();
  }

 private:
  const ScriptReplay& script_;
  InterpreterEnvironment environment_;
  const RenderConfig& config_;
  size_t applied_ = 0;
};

// How long Cancel waits, for all runs together, until the ended processes
// are gone.
constexpr DWORD kEndWaitMs = 5000;

class Prepass {
 public:
  Prepass(size_t total, RenderProgress& progress) : total_(total), progress_(progress) {
    progress_.setRange(total);
    report();
  }

  bool start(const RenderConfig& config, const std::string& commandLine, const RenderRequest& request, size_t order,
             const std::wstring& environment) {
    HANDLE process = nullptr;
    // A hidden console of its own for each run: sondrel has none to share,
    // and a resampler that is a wrapper starting console programs would open
    // a window for each of them if it had no console to hand on (what the
    // tools print is read by nobody, as in the interpreter's console).
    if (job_.start(config.resamplerPath.c_str(), commandLine, environment.c_str(), process,
                   CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW) != base::kStatusOk)
      return false;
    running_.push_back({base::FileHandle(process), config.cacheDir + "\\" + request.resampler.cachePath, order});
    return true;
  }

  size_t running() const { return running_.size(); }

  // Waits until a run ends (true, with its number in RunOrder), or until
  // Cancel is pressed or the wait fails (false).
  bool awaitOne(size_t& order) {
    std::vector<HANDLE> handles;
    for (const Run& run : running_) handles.push_back(run.process.get());
    if (HANDLE cancel = progress_.cancelEvent()) handles.push_back(cancel);
    DWORD woken = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, INFINITE);
    size_t index = woken - WAIT_OBJECT_0;
    if (index >= running_.size()) return false;
    DWORD exitCode = 0;
    GetExitCodeProcess(running_[index].process.get(), &exitCode);
    if (exitCode != 0) base::deleteFilesRetrying({base::fromAnsi(running_[index].cacheFile)}, base::kDeleteRetryMs);
    order = running_[index].order;
    running_.erase(running_.begin() + static_cast<std::ptrdiff_t>(index));
    ++ended_;
    report();
    return true;
  }

  // Ends every run at once and deletes the cache files they were writing.
  // Returns 1223 when Cancel was pressed; otherwise the wait failed, and the
  // script resamples those notes.
  int32_t stop() {
    job_.terminateAll(base::kStatusCancelled);
    // Ended processes close their files a moment later; only then can the
    // files go.
    job_.waitUntilEnded(kEndWaitMs);
    std::vector<std::wstring> cacheFiles;
    for (const Run& run : running_) cacheFiles.push_back(base::fromAnsi(run.cacheFile));
    base::deleteFilesRetrying(std::move(cacheFiles), base::kDeleteRetryMs);
    running_.clear();
    return cancelRequested() ? base::kStatusCancelled : base::kStatusOk;
  }

  bool cancelRequested() const { return progress_.cancelled(); }

 private:
  void report() {
    if (!pacer_.due(GetTickCount64(), ended_ == total_)) return;
    progress_.setPosition(ended_);
    progress_.showResampling(ended_, total_);
  }

  size_t total_;
  RenderProgress& progress_;
  size_t ended_ = 0;
  Pacer pacer_{kDisplayIntervalMs};
  ProcessJob job_;
  std::vector<Run> running_;
};

}  // namespace

int32_t runResamplePrepass(const RenderConfig& config, std::string_view helperReference, int runs,
                           RenderProgress& progress) {
  const size_t limit = std::min<size_t>(static_cast<size_t>(std::max(runs, 0)), MAXIMUM_WAIT_OBJECTS - 1);
  // The interpreter does not stay in a share's directory (it moves to the
  // system's), so its runs would not start where sondrel's would.
  const std::wstring directory = currentDirectory();
  if (limit < 2 || !startsAsNamed(config.resamplerPath) || directory.size() < 2 || directory[1] != L':')
    return base::kStatusOk;
  CreateDirectoryA(config.cacheDir.c_str(), nullptr);
  CacheListing cache = listCacheDirectory(config.cacheDir);
  // Positions in the request list of the notes to resample, in order, and
  // the files each run reads and writes.
  std::vector<size_t> positions;
  std::vector<RunOrder::Files> files;
  RunFiles names;
  for (size_t position = 0; position < config.requests.size(); ++position) {
    const RenderRequest& request = config.requests[position];
    const ResamplerArgs& resampler = request.resampler;
    if (request.kind != RequestKind::Sung || cache.contains(resampler.cachePath)) continue;
    positions.push_back(position);
    files.push_back({names.sample(config.voiceDir + "\\" + resampler.inputPath),
                     RunFiles::output(config.cacheDir + "\\" + resampler.cachePath)});
  }
  if (positions.empty()) return base::kStatusOk;

  RunOrder order(files);
  const ScriptReplay script(config, helperReference);
  BlockEnvironments environments(script, directory, config);
  Prepass prepass(positions.size(), progress);
  // A run that cannot start ends the starting; the scripts resample what is left.
  const int32_t status = [&] {
    for (bool starting = true;;) {
      for (size_t run; starting && prepass.running() < limit && order.next(run);) {
        if (prepass.cancelRequested()) return prepass.stop();
        const RenderRequest& request = config.requests[positions[run]];
        deleteIndexFiles(cache, config.cacheDir, request.cacheIndex);
        starting = prepass.start(config, script.resamplerCommandLine(request), request, run,
                                 environments.at(positions[run]));
        if (starting) cache.add({request.resampler.cachePath, {}, false});
      }
      if (prepass.running() == 0) return base::kStatusOk;
      size_t ended = 0;
      if (!prepass.awaitOne(ended)) return prepass.stop();
      order.ended(ended);
    }
  }();
  if (status == base::kStatusOk) progress.showWritingWav();
  return status;
}

}  // namespace sondrel
