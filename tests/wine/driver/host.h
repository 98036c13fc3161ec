// A host editor's directory as the editor has it when it starts a plug-in:
//   <scratch>\setting.ini, the tool programs and libraries
//   <scratch>\plugins\sondrel\sondrel.exe
//   <scratch>\work\t1.tmp   the plug-in file; work is the plug-in's current directory
//   <scratch>\calls.log     the call log of the reference tools and the test stand-ins
#pragma once

#include <functional>

#include "windriver.h"

namespace windriver {

// The voice bank that the native build generates beside the x86_64 build.
std::wstring demoBank();

struct RunResult {
  DWORD exitCode = STILL_ACTIVE;
  std::wstring message;  // text of the failure message box, if one was shown
};

struct Host {
  // `settingIni` null: no setting.ini at all.
  Host(const std::wstring& name, const char* settingIni);

  // Copies a program of the build tree (path relative to it) into the plug-in folder.
  void install(const std::wstring& program) const;
  // Starts the plug-in as the host editor does: the plug-in file's path, then
  // `options`; the "NAME=value" entries come on top of the log variables.
  bool start(const std::wstring& options, const std::vector<std::wstring>& environment = {});
  // Starts the plug-in, calls `whileRunning` once its dialog is up, answers a
  // failure message (recording its text) and waits for the exit.
  RunResult run(const std::wstring& options, const std::vector<std::wstring>& environment = {},
                const std::function<void(HWND)>& whileRunning = nullptr);
  HWND dialog() const { return findDialog(process.id(), L"TARV"); }
  // Lines of the call log that begin with `prefix`.
  std::vector<std::string> calls(const std::string& prefix) const;

  std::wstring root, work, plugin, log;
  Process process;
};

}  // namespace windriver
