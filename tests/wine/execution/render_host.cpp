#include "render_host.h"

#include "shell/ansi_text.h"
#include "windriver.h"

std::wstring demoBank() {
  std::wstring build = windriver::buildDir();
  return build.substr(0, build.find_last_of(L'\\')) + L"\\demo_bank";
}

Host::Host(const std::wstring& name, bool useDll, Tools tools) {
  root = windriver::scratchDir(name);
  work = root + L"\\work";
  CreateDirectoryW(work.c_str(), nullptr);
  CreateDirectoryW((root + L"\\plugins").c_str(), nullptr);
  CreateDirectoryW((root + L"\\plugins\\sondrel").c_str(), nullptr);
  exe = root + L"\\plugins\\sondrel\\sondrel.exe";
  windriver::copyFile(windriver::buildDir() + L"\\sondrel.exe", exe);
  plugin = work + L"\\t1.tmp";
  log = root + L"\\calls.log";
  std::wstring build = windriver::buildDir();
  for (const wchar_t* program : {L"resampler.exe", L"wavtool.exe"})
    windriver::copyFile(build + L"\\" + program, root + L"\\" + program);
  std::wstring fakes = build + L"\\tests\\wine\\execution\\fakes\\";
  const std::wstring libraries[][2] = {
      {build + L"\\resampler10.dll", build + L"\\wavtool2.dll"},
      {fakes + L"resampler\\resampler10.dll", fakes + L"wavtool\\wavtool2.dll"},
      {fakes + L"resampler_noexec\\resampler10.dll", fakes + L"wavtool\\wavtool2.dll"},
      {L"", build + L"\\wavtool2.dll"},
  };
  const std::wstring* chosen = libraries[static_cast<int>(tools)];
  if (!chosen[0].empty()) windriver::copyFile(chosen[0], root + L"\\resampler10.dll");
  windriver::copyFile(chosen[1], root + L"\\wavtool2.dll");
  setting(std::string("Tool1Path=wavtool.exe\r\nTool2Path=resampler.exe\r\nUseDLL=") + (useDll ? "1" : "0") + "\r\n");
}

void Host::setting(const std::string& text) const { windriver::writeFile(root + L"\\setting.ini", text); }

void Host::writePlugin(const std::string& notes, const std::string& extraSetting, const std::wstring& voiceDir) const {
  windriver::writeFile(plugin,
                       "[#SETTING]\r\nTempo=120\r\nVoiceDir=" + sondrel::toAnsi(voiceDir) + "\r\n" + extraSetting + notes);
}

RunResult Host::run(const std::wstring& options, const std::wstring& extraEnvironment,
                    const std::function<void(HWND)>& whileRunning) const {
  std::wstring environment = L"REFTOOL_LOG=" + log + L"|FAKE_TOOL_LOG=" + log + L"|" + extraEnvironment + L"|";
  for (wchar_t& c : environment)
    if (c == L'|') c = L'\0';
  windriver::Process process;
  RunResult result;
  if (!process.start(L"\"" + exe + L"\" \"" + plugin + L"\" " + options, work.c_str(), environment.c_str()))
    return result;
  if (whileRunning) {
    HWND dialog = windriver::findDialog(process.id(), L"TARV", 20000);
    if (dialog) whileRunning(dialog);
  }
  for (int i = 0; i < 600; ++i) {
    result.exitCode = process.wait(100);
    if (result.exitCode != STILL_ACTIVE) break;
    // A render that fails at once shows its message before the progress
    // dialog has become visible; a message box is told by its text control.
    HWND progress = windriver::findDialog(process.id(), L"TARV", 0);
    HWND box = windriver::findOtherDialog(process.id(), progress, 0);
    if (box && GetDlgItem(box, 0xFFFF) && result.message.empty()) {
      result.message = windriver::messageBoxText(box);
      windriver::pressButton(box, IDOK);
    }
  }
  if (result.exitCode == STILL_ACTIVE) process.kill();
  return result;
}

std::vector<std::string> Host::calls(const std::string& prefix) const {
  std::string bytes;
  windriver::readFile(log, bytes);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
    if (bytes.compare(start, prefix.size(), prefix) == 0) lines.push_back(bytes.substr(start, end - start));
  return lines;
}

bool Host::exists(const std::wstring& nameInWork) const { return windriver::fileExists(work + L"\\" + nameInWork); }
