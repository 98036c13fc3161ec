#include "execution/process_job.h"

namespace sondrel {

ProcessJob::ProcessJob() {
  job_ = CreateJobObjectW(nullptr, nullptr);
  if (!job_) return;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
    CloseHandle(job_);
    job_ = nullptr;
  }
}

ProcessJob::~ProcessJob() {
  for (HANDLE process : started_) CloseHandle(process);
  if (job_) CloseHandle(job_);
}

int32_t ProcessJob::start(const char* application, std::string commandLine, const void* environment,
                          HANDLE& process, DWORD creationFlags) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION created = {};
  if (!CreateProcessA(application, &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED | creationFlags,
                      const_cast<void*>(environment), nullptr, &startup, &created))
    return static_cast<int32_t>(GetLastError());
  // A system without nested jobs refuses the assignment when sondrel itself
  // runs in a job; the process then runs outside one rather than not at all,
  // and terminateAll reaches it through its own handle. Only those handles
  // are kept: a render may start thousands of processes.
  HANDLE kept = nullptr;
  if (!(job_ && AssignProcessToJobObject(job_, created.hProcess)) &&
      DuplicateHandle(GetCurrentProcess(), created.hProcess, GetCurrentProcess(), &kept, PROCESS_TERMINATE | SYNCHRONIZE,
                      FALSE, 0))
    started_.push_back(kept);
  ResumeThread(created.hThread);
  CloseHandle(created.hThread);
  process = created.hProcess;
  return 0;
}

void ProcessJob::terminateAll(UINT exitCode) {
  if (job_) TerminateJobObject(job_, exitCode);
  for (HANDLE process : started_) TerminateProcess(process, exitCode);
}

bool ProcessJob::waitUntilEnded(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (HANDLE process : started_) {
    DWORD spent = GetTickCount() - start;
    if (WaitForSingleObject(process, spent < milliseconds ? milliseconds - spent : 0) != WAIT_OBJECT_0) return false;
  }
  if (!job_) return true;
  // The processes the started ones began are known only to the job.
  for (;;) {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
    if (!QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &accounting, sizeof accounting,
                                   nullptr))
      return false;
    if (accounting.ActiveProcesses == 0) return true;
    if (GetTickCount() - start >= milliseconds) return false;
    Sleep(10);
  }
}

}  // namespace sondrel
