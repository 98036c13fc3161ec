// Test driver for the Win32 tests that run under Wine: scratch directories,
// launching a program of the build, and driving the dialogs of that process
// (find its dialog, read a control, press a button, send Enter, Escape and the
// close box, find a message box and read its text).
#pragma once

#include <windows.h>

#include <string>

namespace windriver {

// Path of the x86_64 build tree as a Windows path (Z:\...).
std::wstring buildDir();
// Path of the source tree as a Windows path.
std::wstring sourceDir();
// "Z:" + the Unix path with "/" turned into "\".
std::wstring winePath(const std::string& unixPath);

// A fresh, empty directory under the build tree for one test.
std::wstring scratchDir(const std::wstring& name);

bool writeFile(const std::wstring& path, const std::string& bytes);
bool readFile(const std::wstring& path, std::string& bytes);
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
  // given directory (null: the caller's), with the environment of the caller
  // plus `extraEnvironment` ("NAME=value\0NAME=value\0", may be null).
  bool start(const std::wstring& commandLine, const wchar_t* currentDirectory = nullptr,
             const wchar_t* extraEnvironment = nullptr);
  // Exit code, or STILL_ACTIVE when it did not end within the time.
  DWORD wait(DWORD milliseconds);
  DWORD id() const { return id_; }
  HANDLE handle() const { return process_; }
  void kill();

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// The first visible top-level dialog (class #32770) of the process whose
// caption equals `caption` (any caption when null), waiting up to the time.
HWND findDialog(DWORD processId, const wchar_t* caption, DWORD milliseconds);
// A visible top-level dialog of the process other than `except`: a message
// box shown over the main dialog.
HWND findOtherDialog(DWORD processId, HWND except, DWORD milliseconds);
// A visible message box of the process (a dialog with the message text
// control), whether or not its owner is visible.
HWND findMessageBox(DWORD processId, DWORD milliseconds);

std::wstring controlText(HWND dialog, int id);
bool controlEnabled(HWND dialog, int id);
bool controlVisible(HWND dialog, int id);
// Text of a message box: its static text control (id 0xFFFF).
std::wstring messageBoxText(HWND box);

// Posts what the user's action would produce, without waiting for it.
void pressButton(HWND dialog, int id);
void pressEnter(HWND dialog);
void pressEscape(HWND dialog);
void pressCloseBox(HWND dialog);

// Waits until the window is gone.
bool waitWindowGone(HWND window, DWORD milliseconds);

}  // namespace windriver
