#include "editor/preview.h"

#include <utility>

#include "base/ascii_case.h"
#include "base/file_access.h"
#include "base/win32_files.h"
#include "editor/messages.h"
#include "editor/preview_paths.h"
#include "resources/resource.h"

namespace quillet {
namespace {

// Names tried for each file; a name that is taken is never used.
constexpr int kAttempts = 100;

// A file this preview made, deleted when the preview ends. While its handle
// is open (read sharing only), no other program can delete it.
struct PreviewFile {
  std::wstring path;  // empty until the file is ours
  base::FileHandle handle{nullptr};
  ~PreviewFile() {
    handle = base::FileHandle(nullptr);
    if (!path.empty()) DeleteFileW(path.c_str());
  }
};

// What earlier previews left when quillet was ended while sondrel ran: files
// of the preview's names beside the plug-in file, last written before this
// preview began (a newer one is another preview's, running now). A
// modification file bears quillet's own name; a copy bears the song's, so it
// goes only when empty, as sondrel leaves it when it ends: a song of the
// user's under that name is never empty. A file that a running preview keeps
// open cannot be deleted and stays.
void removeIfLeftover(const std::wstring& path, const std::wstring& pluginPath, const FILETIME& start, bool onlyEmpty) {
  WIN32_FILE_ATTRIBUTE_DATA found;
  // "song.ust" is its own copy's first name.
  if (base::equalsIgnoringAsciiCase(path, pluginPath) || !base::fitsMaxPath(path) ||
      !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &found))
    return;
  bool empty = found.nFileSizeHigh == 0 && found.nFileSizeLow == 0;
  if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || (onlyEmpty && !empty) ||
      CompareFileTime(&found.ftLastWriteTime, &start) >= 0)
    return;
  DeleteFileW(path.c_str());
}

void removeLeftovers(const std::wstring& pluginPath, const FILETIME& start) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    removeIfLeftover(previewCopyPath(pluginPath, attempt), pluginPath, start, true);
    removeIfLeftover(previewTempPath(pluginPath, attempt), pluginPath, start, false);
  }
}

// Creates the first free one of the names and writes the bytes into it. 0, or
// the error of the step that failed; ERROR_FILE_EXISTS when every name is
// taken. `tried` is the last name tried.
template <typename NameOf>
DWORD writeAtFreeName(NameOf nameOf, const std::string& bytes, PreviewFile& file, std::wstring& tried) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    tried = nameOf(attempt);
    if (!base::fitsMaxPath(tried)) return ERROR_FILENAME_EXCED_RANGE;
    base::FileHandle created(
        CreateFileW(tried.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (created.valid()) {
      file.path = tried;
      file.handle = std::move(created);
      return base::writeAll(file.handle.get(), bytes) ? ERROR_SUCCESS : GetLastError();
    }
    DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return error;
  }
  return ERROR_FILE_EXISTS;
}

DWORD sondrelProgram(std::wstring& program) {
  program = L"sondrel.exe";
  wchar_t self[MAX_PATH];
  DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  if (length == 0) return GetLastError();
  if (length >= MAX_PATH) return ERROR_FILENAME_EXCED_RANGE;
  program = besidePath(std::wstring(self, length), L"sondrel.exe");
  return base::fitsMaxPath(program) ? ERROR_SUCCESS : ERROR_FILENAME_EXCED_RANGE;
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

DWORD runSondrel(HWND dialog, const std::wstring& program, const std::wstring& copyPath,
                 const std::wstring& tempPath) {
  std::wstring commandLine = previewCommandLine(program, copyPath, tempPath);
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child = {};
  if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child))
    return GetLastError();
  base::FileHandle process(child.hProcess), thread(child.hThread);
  HWND focus = GetFocus();
  EnableWindow(dialog, FALSE);
  waitServingMessages(process.get());
  EnableWindow(dialog, TRUE);
  if (IsWindow(focus)) SetFocus(focus);
  return ERROR_SUCCESS;
}

void tellNotWritten(HWND dialog, UINT id, DWORD error, const std::wstring& path) {
  tellFailure(dialog, error == ERROR_FILE_EXISTS ? IDS_NO_FREE_NAME : id, error, path);
}

}  // namespace

void runPreview(HWND dialog, const std::wstring& pluginPath, const std::string& pluginBytes,
                const std::string& modification) {
  FILETIME start;
  GetSystemTimeAsFileTime(&start);
  removeLeftovers(pluginPath, start);
  PreviewFile copy, temp;
  std::wstring tried, program;
  auto copyNamed = [&](int attempt) { return previewCopyPath(pluginPath, attempt); };
  if (DWORD error = writeAtFreeName(copyNamed, pluginBytes, copy, tried))
    return tellNotWritten(dialog, IDS_COPY_NOT_WRITTEN, error, tried);
  // sondrel writes its merge over the copy, which it must be free to replace.
  copy.handle = base::FileHandle(nullptr);
  // A preview without the user's changes would mislead: sondrel starts only
  // with the modification file written.
  auto tempNamed = [&](int attempt) { return previewTempPath(pluginPath, attempt); };
  if (DWORD error = writeAtFreeName(tempNamed, modification, temp, tried))
    return tellNotWritten(dialog, IDS_MODIFICATION_NOT_WRITTEN, error, tried);
  // The modification file stays open while sondrel runs, which reads it with
  // write sharing: the leftover clean-up of another quillet cannot take it.
  DWORD error = sondrelProgram(program);
  if (!error) error = runSondrel(dialog, program, copy.path, temp.path);
  if (error) tellFailure(dialog, IDS_SONDREL_NOT_STARTED, error, program);
}

}  // namespace quillet
