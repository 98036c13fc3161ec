#include "editor/preview.h"

#include "base/file_access.h"
#include "base/win32_files.h"
#include "editor/preview_paths.h"

namespace quillet {
namespace {

// Names tried before the preview gives up; a taken name is never used.
constexpr int kAttempts = 100;

// Runs `create` (which must fail with "exists" on a taken name, never replace
// it) on the names of successive attempts until one is free.
template <typename NameOf, typename Create>
bool createAtFreeName(NameOf nameOf, Create create, std::wstring& path) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    path = nameOf(attempt);
    if (!base::fitsMaxPath(path)) return false;
    if (create(path)) return true;
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

bool sondrelProgram(std::wstring& program) {
  wchar_t self[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return false;
  program = besidePath(std::wstring(self, length), L"sondrel.exe");
  return base::fitsMaxPath(program);
}

// The dialog is disabled, so no input reaches it, and every other message is
// dispatched: the dialog and the grid keep being painted instead of turning
// white and "not responding" during a long render.
void waitServingMessages(HANDLE process) {
  for (;;) {
    if (MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0 + 1) return;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        // Meant for the modal loop, which gets it again after the wait.
        WaitForSingleObject(process, INFINITE);
        PostQuitMessage(static_cast<int>(message.wParam));
        return;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void runSondrel(HWND dialog, const std::wstring& program, const std::wstring& copyPath, const std::wstring& tempPath) {
  std::wstring commandLine = previewCommandLine(program, copyPath, tempPath);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child = {};
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child)) return;
  base::FileHandle process(child.hProcess), thread(child.hThread);
  HWND focus = GetFocus();
  EnableWindow(dialog, FALSE);
  waitServingMessages(process.get());
  EnableWindow(dialog, TRUE);
  if (IsWindow(focus)) SetFocus(focus);
}

}  // namespace

void runPreview(HWND dialog, const std::wstring& pluginPath, const WriteModification& writeModification) {
  std::wstring copyPath, tempPath, program;
  auto copyNamed = [&](int attempt) { return previewCopyPath(pluginPath, attempt); };
  auto copyTo = [&](const std::wstring& path) { return CopyFileW(pluginPath.c_str(), path.c_str(), TRUE) != FALSE; };
  if (!createAtFreeName(copyNamed, copyTo, copyPath)) return;
  // The modification file is created empty first, so that its name is ours
  // before anything is written under it.
  auto tempNamed = [&](int attempt) { return previewTempPath(pluginPath, attempt); };
  auto createEmpty = [](const std::wstring& path) {
    base::FileHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.valid();
  };
  if (createAtFreeName(tempNamed, createEmpty, tempPath)) {
    // A preview without the user's changes would mislead: a failed write
    // ends it before sondrel starts.
    if (writeModification(tempPath) && sondrelProgram(program)) runSondrel(dialog, program, copyPath, tempPath);
    DeleteFileW(tempPath.c_str());
  }
  DeleteFileW(copyPath.c_str());
}

}  // namespace quillet
