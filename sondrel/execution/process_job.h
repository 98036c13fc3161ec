// Child processes of a render held in one job object: the command interpreter
// and every tool it starts, or the resamplers run side by side, end together
// when the render is cancelled, and cannot outlive sondrel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace sondrel {

class ProcessJob {
 public:
  // Creates the job, set to end its processes when its last handle closes.
  // Where no job can be made (a system that refuses nested jobs, say), the
  // processes run outside one and only those started here can be ended.
  ProcessJob();
  ~ProcessJob();
  ProcessJob(const ProcessJob&) = delete;
  ProcessJob& operator=(const ProcessJob&) = delete;

  // Starts `commandLine` (program `application`, which may be null) in the
  // current directory of this process, with `environment` (a block as
  // CreateProcessA takes it: ANSI, or UTF-16 with CREATE_UNICODE_ENVIRONMENT
  // among `creationFlags`; null: this process's own) inside the job:
  // the process is created suspended, put into the job and then resumed, so
  // that nothing it starts can escape. Returns 0 and the process handle, which
  // the caller owns, or the system error code of the start.
  int32_t start(const char* application, std::string commandLine, const void* environment, HANDLE& process,
                DWORD creationFlags = 0);

  // Ends every process of the job, the ones they started included; without a
  // job, the processes started here.
  void terminateAll(UINT exitCode);

  // Waits until no process of the job (without a job: of those started
  // here) runs any more, or the time has passed; false then. Ending a
  // process takes effect a little later than terminateAll returns, and its
  // files stay open until it has.
  bool waitUntilEnded(DWORD milliseconds);

 private:
  HANDLE job_ = nullptr;
  std::vector<HANDLE> started_;  // the processes that are not in the job
};

}  // namespace sondrel
