// A scratch host editor layout for running sondrel in the shell's tests:
//   <scratch>\host\setting.ini
//   <scratch>\host\plugins\sondrel\sondrel.exe   (the test build or the real one)
//   <scratch>\song\plugin.tmp                    (the plug-in file)
//   <scratch>\report.txt                         (what the test render saw)
#pragma once

#include <map>
#include <string>
#include <vector>

#include "windriver.h"

namespace shelltest {

enum class Program { withFakeRender, real };

// Milliseconds for "the program should be done by now", generous for a busy
// machine.
constexpr DWORD kPatience = 20000;

class ShellHost {
 public:
  // `settingIni` null: no setting.ini at all.
  ShellHost(const wchar_t* name, const char* settingIni, Program program = Program::withFakeRender);

  // Starts sondrel: `arguments` follow the program name as they are; the
  // environment entries ("NAME=value") come on top of the test's own.
  bool start(const std::wstring& arguments, const std::vector<std::wstring>& environment = {});
  // Starts sondrel with the plug-in file as first argument, then `options`.
  bool startWithPlugin(const std::wstring& options, const std::vector<std::wstring>& environment = {});

  HWND dialog(DWORD milliseconds = kPatience) const;
  // Key=value lines of the report; empty when the render never ran.
  std::map<std::string, std::string> report() const;
  std::string pluginContent() const;

  std::wstring root, program, plugin, defaultWav, reportPath;
  windriver::Process process;
};

// Polls until the control shows the text; false when it did not in time.
bool waitForText(HWND dialog, int id, const std::wstring& text, DWORD milliseconds = kPatience);

}  // namespace shelltest
