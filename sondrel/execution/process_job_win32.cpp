#include "execution/process_job.h"

#include <tlhelp32.h>

#include <algorithm>
#include <unordered_map>

#include "execution/job_assignment.h"

namespace sondrel {
namespace {

// Rounds of the walk below: a process may start another while its tree is
// being ended, which the next round finds.
constexpr int kTreeRounds = 8;

bool create(const char* application, std::string commandLine, const void* environment, DWORD flags,
            PROCESS_INFORMATION& created) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  return CreateProcessA(application, &commandLine[0], nullptr, nullptr, FALSE, flags, const_cast<void*>(environment),
                        nullptr, &startup, &created) != FALSE;
}

uint64_t creationTime(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return UINT64_MAX;
  return (static_cast<uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

// Ends `root` and every process it started, and those they started, found
// by their parents' ids; the handles of the ended processes go to `ended`.
// An id is given again once its process has ended and its last handle is
// closed: the handles stay open during the walk, and a process counts as a
// child only when it was created after its parent.
void endTree(HANDLE root, UINT exitCode, std::vector<base::FileHandle>& ended) {
  TerminateProcess(root, exitCode);
  std::unordered_map<DWORD, uint64_t> tree = {{GetProcessId(root), creationTime(root)}};
  for (int round = 0; round < kTreeRounds; ++round) {
    base::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.valid()) return;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
      auto parent = tree.find(entry.th32ParentProcessID);
      if (parent == tree.end() || tree.count(entry.th32ProcessID)) continue;
      base::FileHandle child(OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE,
                                         entry.th32ProcessID));
      const uint64_t created = child.valid() ? creationTime(child.get()) : UINT64_MAX;
      if (created == UINT64_MAX || created < parent->second) continue;
      TerminateProcess(child.get(), exitCode);
      tree.emplace(entry.th32ProcessID, created);
      ended.push_back(std::move(child));
      found = true;
    }
    if (!found) return;
  }
}

}  // namespace

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
  if (job_) CloseHandle(job_);
}

int32_t ProcessJob::start(const char* application, std::string commandLine, const void* environment,
                          HANDLE& process, DWORD creationFlags) {
  const DWORD flags = CREATE_SUSPENDED | creationFlags;
  PROCESS_INFORMATION created = {};
  if (!create(application, commandLine, environment, flags | (breakAway_ ? CREATE_BREAKAWAY_FROM_JOB : 0), created))
    return static_cast<int32_t>(GetLastError());
  bool inJob = job_ && assignToJob(job_, created.hProcess);
  if (!inJob && job_ && !triedBreakAway_) {
    // sondrel runs in a job that takes no nested one. Leaving it, where it
    // allows that, puts the process into ours; the first, suspended, one
    // has run nothing yet.
    triedBreakAway_ = true;
    PROCESS_INFORMATION again = {};
    if (create(application, commandLine, environment, flags | CREATE_BREAKAWAY_FROM_JOB, again)) {
      TerminateProcess(created.hProcess, 0);
      CloseHandle(created.hThread);
      CloseHandle(created.hProcess);
      created = again;
      breakAway_ = inJob = assignToJob(job_, created.hProcess);
    }
  }
  if (!inJob) {
    // Only the handles of processes that may still run are kept: a render
    // may start thousands.
    outside_.erase(std::remove_if(outside_.begin(), outside_.end(),
                                  [](const base::FileHandle& started) {
                                    return WaitForSingleObject(started.get(), 0) == WAIT_OBJECT_0;
                                  }),
                   outside_.end());
    HANDLE kept = nullptr;
    if (DuplicateHandle(GetCurrentProcess(), created.hProcess, GetCurrentProcess(), &kept,
                        PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, 0))
      outside_.emplace_back(kept);
  }
  ResumeThread(created.hThread);
  CloseHandle(created.hThread);
  process = created.hProcess;
  return 0;
}

void ProcessJob::terminateAll(UINT exitCode) {
  if (job_) TerminateJobObject(job_, exitCode);
  for (base::FileHandle& started : outside_) {
    endTree(started.get(), exitCode, ended_);
    ended_.push_back(std::move(started));
  }
  outside_.clear();
}

bool ProcessJob::waitUntilEnded(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (const base::FileHandle& process : ended_) {
    DWORD spent = GetTickCount() - start;
    if (WaitForSingleObject(process.get(), spent < milliseconds ? milliseconds - spent : 0) != WAIT_OBJECT_0)
      return false;
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
