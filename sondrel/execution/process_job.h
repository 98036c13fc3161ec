// Child processes of a render held in one job object: the command interpreter
// and every tool it starts, or the resamplers run side by side, end together
// when the render is cancelled, and cannot outlive sondrel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/win32_files.h"

namespace sondrel {

class ProcessJob {
 public:
  // Creates the job, set to end its processes when its last handle closes.
  ProcessJob();
  ~ProcessJob();
  ProcessJob(const ProcessJob&) = delete;
  ProcessJob& operator=(const ProcessJob&) = delete;

  // Starts `commandLine` (program `application`, which may be null) in the
  // current directory of this process, with `environment` (a block as
  // CreateProcessA takes it: ANSI, or UTF-16 with CREATE_UNICODE_ENVIRONMENT
  // among `creationFlags`; null: this process's own) inside the job: the
  // process is created suspended, put into the job and then resumed, so that
  // nothing it starts can escape. Where sondrel itself runs in a job that
  // takes no nested one (Windows 7), the processes are created outside that
  // job (CREATE_BREAKAWAY_FROM_JOB) where it allows so; where it does not,
  // they run outside any job. Returns 0 and the process handle, which the
  // caller owns, or the system error code of the start.
  int32_t start(const char* application, std::string commandLine, const void* environment, HANDLE& process,
                DWORD creationFlags = 0);

  // Ends every process of the job, the ones they started included; a
  // process outside the job is ended with every process it started, found
  // by walking the tree of parent processes.
  void terminateAll(UINT exitCode);

  // Waits until no process of the job, nor any process that terminateAll
  // ended, runs any more, or the time has passed; false then. Ending a
  // process takes effect a little later than terminateAll returns, and its
  // files stay open until it has.
  bool waitUntilEnded(DWORD milliseconds);

 private:
  HANDLE job_ = nullptr;
  bool triedBreakAway_ = false;
  bool breakAway_ = false;                   // later processes leave sondrel's own job first
  std::vector<base::FileHandle> outside_;    // processes started outside the job
  std::vector<base::FileHandle> ended_;      // processes terminateAll ended outside the job
};

}  // namespace sondrel
