// Test driver for the Win32 tests that run under Wine: scratch directories,
// files, child processes, the dialogs of a process (find its dialog, read a
// control, press a button, send Enter, Escape, the close box and other keys,
// find a message box and read its text, find texts cut off), and a host
// directory to run a plug-in in.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace windriver {

// Milliseconds for "the program should be done by now", generous for a busy
// machine.
constexpr DWORD kPatience = 20000;

// The Windows build tree of the architecture this test runs (build\win32 for
// the i686 tests, build\win64 for the x86_64 ones) as a Windows path (Z:\...):
// the programs, tool libraries and stand-ins a test starts or loads.
std::wstring buildDir();
// The tree of the other architecture, for what a test needs from it (a
// 64-bit tool beside a 32-bit sondrel, say).
std::wstring twinBuildDir();
// A fresh, empty directory under the build tree for one test. The test fails
// when what an earlier run left there cannot be removed (a directory that is
// some process's current directory, say).
std::wstring scratchDir(const std::wstring& name);

bool writeFile(const std::wstring& path, const std::string& bytes);
// Whether a process whose program file is named `program` ("slow.exe") runs.
bool processRunning(const wchar_t* program);
// The bytes of the file; empty when it cannot be read.
std::string fileText(const std::wstring& path);
bool fileExists(const std::wstring& path);
bool copyFile(const std::wstring& from, const std::wstring& to);
// Sets the file's last write time that many seconds from now.
void setWriteTime(const std::wstring& path, int secondsFromNow);
// The names of the files (not directories) in `directory` that the system's
// own search for `pattern` finds.
std::vector<std::wstring> filesIn(const std::wstring& directory, const wchar_t* pattern);
// The lines of a log file that begin with `prefix`.
std::vector<std::string> logLines(const std::wstring& path, const std::string& prefix);

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

// The first visible top-level dialog (class #32770) of the process (0: of
// any process) whose caption equals `caption`, waiting up to the time.
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

// The keyboard as a dialog's message loop receives it: messages posted to
// the control that has the focus in the dialog's thread, the dialog being the
// foreground window as the user's is. A key goes to the focus of the moment
// it is posted, so wait for the effect of a key before posting one that
// depends on it. Characters come as an input method hands them over
// (WM_CHAR), a mnemonic as Alt with its letter.
HWND focused(HWND dialog);
void pressKey(HWND dialog, WPARAM key);
void typeKeys(HWND dialog, const std::wstring& text);
void pressAlt(HWND dialog, wchar_t letter);
// A visible dialog owned by `owner` (the message box of a dialog, whose own
// labels may bear the id of a message box's text), waiting up to the time.
HWND findOwnedDialog(HWND owner, DWORD milliseconds = kPatience);
// The texts of the dialog's labels and buttons that the font of its template
// ("MS Shell Dlg" at 8 points) cannot show whole in their controls at the
// screen's resolution.
std::vector<std::wstring> clippedTexts(HWND dialog);

// Polls until the condition holds; false when it did not in time.
bool eventually(const std::function<bool()>& condition, DWORD milliseconds = kPatience);
bool waitWindowGone(HWND window, DWORD milliseconds = kPatience);
// Whether the window stands in the middle of the desktop.
bool centred(HWND window);

// The voice bank that the native build generates beside the Windows trees.
std::wstring demoBank();

struct RunResult {
  DWORD exitCode = STILL_ACTIVE;
  std::wstring message;  // text of the failure message box, if one was shown
};

// A host editor's directory as the editor has it when it starts a plug-in:
//   <scratch>\setting.ini, the tool programs and libraries
//   <scratch>\plugins\sondrel\sondrel.exe (and quillet.exe)
//   <scratch>\work\t1.tmp   the plug-in file; work is the plug-in's current directory
//   <scratch>\calls.log     the call log of the reference tools and the test stand-ins
struct Host {
  // `settingIni` null: no setting.ini at all.
  Host(const std::wstring& name, const char* settingIni);

  // Copies a program of the build tree (path relative to it) into the plug-in folder.
  void install(const std::wstring& program, const std::wstring& as = L"sondrel.exe") const;
  // Starts the plug-in `program` as the host editor does: the plug-in file's path, then
  // `options`; the "NAME=value" entries come on top of the log variables.
  bool start(const std::wstring& options, const std::vector<std::wstring>& environment = {});
  // Starts the plug-in, calls `whileRunning` once its dialog is up, answers a
  // failure message (recording its text) and waits for the exit.
  RunResult run(const std::wstring& options, const std::vector<std::wstring>& environment = {},
                const std::function<void(HWND)>& whileRunning = nullptr);
  HWND dialog() const { return findDialog(process.id(), L"TARV"); }
  std::vector<std::string> calls(const std::string& prefix) const { return logLines(log, prefix); }

  std::wstring root, work, plugin, log;
  std::wstring program = L"sondrel.exe";  // in the plug-in folder
  Process process;
};

}  // namespace windriver
