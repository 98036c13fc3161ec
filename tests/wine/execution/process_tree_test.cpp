// Where sondrel runs inside a job that takes no nested one (Windows 7 inside
// the host editor's job), its processes run outside a job, and Cancel must
// still end each of them with every process it started. Wine nests jobs, so
// this program links an assignment that always fails.
#include <gmock/gmock.h>

#include "base/ansi_text.h"
#include "base/status.h"
#include "base/win32_files.h"
#include "execution/job_assignment.h"
#include "execution/process_job.h"
#include "windriver.h"

namespace sondrel {
bool assignToJob(HANDLE, HANDLE) {
  SetLastError(ERROR_ACCESS_DENIED);
  return false;
}
}  // namespace sondrel

namespace {

TEST(ProcessTree, ProcessesOutsideAJobEndWithEveryProcessTheyStarted) {
  const std::wstring dir = windriver::scratchDir(L"execution_process_tree");
  for (const wchar_t* name : {L"\\wrapper.exe", L"\\inner.exe"})
    windriver::copyFile(windriver::buildDir() + L"\\tests\\wine\\execution\\argtool.exe", dir + name);
  const std::wstring log = dir + L"\\calls.log";
  SetEnvironmentVariableW(L"STANDIN_LOG", log.c_str());
  SetEnvironmentVariableW(L"STANDIN_CHILD", (dir + L"\\inner.exe").c_str());
  SetEnvironmentVariableW(L"STANDIN_SLEEP_MS", L"20000");
  sondrel::ProcessJob job;
  HANDLE started = nullptr;
  const std::string wrapper = base::toAnsi(dir + L"\\wrapper.exe");
  ASSERT_EQ(job.start(wrapper.c_str(), "wrapper.exe in out", nullptr, started, CREATE_NO_WINDOW), base::kStatusOk);
  base::FileHandle process(started);
  for (int i = 0; i < 200 && windriver::logLines(log, "inner.exe|").empty(); ++i) Sleep(50);
  EXPECT_TRUE(windriver::processRunning(L"inner.exe")) << "the wrapper started the tool";
  job.terminateAll(base::kStatusCancelled);
  EXPECT_TRUE(job.waitUntilEnded(5000));
  EXPECT_FALSE(windriver::processRunning(L"wrapper.exe"));
  EXPECT_FALSE(windriver::processRunning(L"inner.exe"));
}

}  // namespace
