// A host editor's layout for whole renders of sondrel.exe: a host directory
// with setting.ini and the tools, the program two levels below, a plug-in
// file in a work directory; started the way the host editor starts it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

std::wstring demoBank();

struct RunResult {
  DWORD exitCode = STILL_ACTIVE;
  std::wstring message;  // text of the failure message box, if one was shown
};

// Which tool libraries lie in the host directory.
enum class Tools { Reference, Fakes, FakesWithoutResamplerExec, NoResamplerLibrary };

struct Host {
  std::wstring root, work, exe, plugin, log;

  Host(const std::wstring& name, bool useDll, Tools tools = Tools::Reference);
  void setting(const std::string& text) const;
  void writePlugin(const std::string& notes, const std::string& extraSetting = "",
                   const std::wstring& voiceDir = demoBank()) const;
  // Starts sondrel, answers a failure message (recording its text) and
  // waits for the exit. `whileRunning` is called once the progress dialog
  // is up. `extraEnvironment` holds NAME=value entries separated by "|".
  RunResult run(const std::wstring& options, const std::wstring& extraEnvironment = L"",
                const std::function<void(HWND)>& whileRunning = nullptr) const;
  // Lines of the tools' call log that begin with `prefix`.
  std::vector<std::string> calls(const std::string& prefix) const;
  bool exists(const std::wstring& nameInWork) const;
};
