#include "render_host.h"

#include "windriver.h"

std::string narrow(const std::wstring& wide) {
  int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &text[0], n, nullptr, nullptr);
  text.resize(static_cast<size_t>(n) - 1);
  return text;
}

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
  std::wstring resampler, wavtool;
  switch (tools) {
    case Tools::Reference:
      resampler = build + L"\\resampler10.dll";
      wavtool = build + L"\\wavtool2.dll";
      break;
    case Tools::Fakes:
      resampler = fakes + L"resampler\\resampler10.dll";
      wavtool = fakes + L"wavtool\\wavtool2.dll";
      break;
    case Tools::FakesWithoutResamplerExec:
      resampler = fakes + L"resampler_noexec\\resampler10.dll";
      wavtool = fakes + L"wavtool\\wavtool2.dll";
      break;
    case Tools::NoResamplerLibrary:
      wavtool = build + L"\\wavtool2.dll";
      break;
  }
  if (!resampler.empty()) windriver::copyFile(resampler, root + L"\\resampler10.dll");
  windriver::copyFile(wavtool, root + L"\\wavtool2.dll");
  setting(std::string("Tool1Path=wavtool.exe\r\nTool2Path=resampler.exe\r\nUseDLL=") + (useDll ? "1" : "0") + "\r\n");
}

void Host::setting(const std::string& text) const { windriver::writeFile(root + L"\\setting.ini", text); }

void Host::writePlugin(const std::string& notes, const std::string& extraSetting, const std::wstring& voiceDir) const {
  windriver::writeFile(plugin,
                       "[#SETTING]\r\nTempo=120\r\nVoiceDir=" + narrow(voiceDir) + "\r\n" + extraSetting + notes);
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

double wavMilliseconds(const std::wstring& path) {
  std::string bytes;
  if (!windriver::readFile(path, bytes) || bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 ||
      bytes.compare(8, 4, "WAVE") != 0)
    return -1;
  auto u32 = [&](size_t at) {
    unsigned value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
  };
  unsigned byteRate = 0;
  for (size_t at = 12; at + 8 <= bytes.size();) {
    unsigned size = u32(at + 4);
    if (bytes.compare(at, 4, "fmt ") == 0 && at + 20 <= bytes.size()) {
      if ((u32(at + 8) & 0xFFFF) != 1) return -1;
      byteRate = u32(at + 16);
    } else if (bytes.compare(at, 4, "data") == 0) {
      if (byteRate == 0 || at + 8 + size > bytes.size()) return -1;
      return size * 1000.0 / byteRate;
    }
    at += 8 + size + (size & 1);
  }
  return -1;
}
