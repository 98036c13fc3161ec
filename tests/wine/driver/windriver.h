// Test driver for the Win32 tests that run under Wine: scratch directories,
// files, child processes, and the dialogs of a process (find its dialog, read
// a control, press a button, send Enter, Escape and the close box, find a
// message box and read its text).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace windriver {

// Milliseconds for "the program should be done by now", generous for a busy
// machine.
constexpr DWORD kPatience = 20000;

// Path of the x86_64 build tree as a Windows path (Z:\...).
std::wstring buildDir();
// A fresh, empty directory under the build tree for one test. The test fails
// when what an earlier run left there cannot be removed (a directory that is
// some process's current directory, say).
std::wstring scratchDir(const std::wstring& name);

bool writeFile(const std::wstring& path, const std::string& bytes);
// The bytes of the file; empty when it cannot be read.
std::string fileText(const std::wstring& path);
bool fileExists(const std::wstring& path);
bool copyFile(const std::wstring& from, const std::wstring& to);

// A started child process; the handles close with the object.
class Process {
 public:
  Process() = default;
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Starts the command line (program quoted by the caller as needed) in the
  // given directory (null: the caller's), with the caller's environment plus
  // the "NAME=value" entries.
  bool start(const std::wstring& commandLine, const wchar_t* currentDirectory = nullptr,
             const std::vector<std::wstring>& environment = {});
  // Exit code, or STILL_ACTIVE when it did not end within the time.
  DWORD wait(DWORD milliseconds);
  DWORD id() const { return id_; }
  void kill();

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// The first visible top-level dialog (class #32770) of the process whose
// caption equals `caption`, waiting up to the time.
HWND findDialog(DWORD processId, const wchar_t* caption, DWORD milliseconds = kPatience);
// A visible message box of the process (a dialog with the message text
// control), whether or not its owner is visible.
HWND findMessageBox(DWORD processId, DWORD milliseconds = kPatience);

std::wstring controlText(HWND dialog, int id);
// Polls until the control shows the text; false when it did not in time.
bool waitForText(HWND dialog, int id, const std::wstring& text, DWORD milliseconds = kPatience);
// Text of a message box: its static text control (id 0xFFFF).
std::wstring messageBoxText(HWND box);

// Posts what the user's action would produce, without waiting for it.
void pressButton(HWND dialog, int id);
void pressEnter(HWND dialog);
void pressEscape(HWND dialog);
void pressCloseBox(HWND dialog);

bool waitWindowGone(HWND window, DWORD milliseconds = kPatience);

}  // namespace windriver
