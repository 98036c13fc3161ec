#include "shell_host.h"

namespace shelltest {

ShellHost::ShellHost(const wchar_t* name, const char* settingIni, Program program) {
  root = windriver::scratchDir(name);
  std::wstring host = root + L"\\host";
  CreateDirectoryW(host.c_str(), nullptr);
  CreateDirectoryW((host + L"\\plugins").c_str(), nullptr);
  CreateDirectoryW((host + L"\\plugins\\sondrel").c_str(), nullptr);
  CreateDirectoryW((root + L"\\song").c_str(), nullptr);
  if (settingIni) windriver::writeFile(host + L"\\setting.ini", settingIni);
  this->program = host + L"\\plugins\\sondrel\\sondrel.exe";
  windriver::copyFile(windriver::winePath(program == Program::real ? REAL_SONDREL : FAKE_SONDREL), this->program);
  plugin = root + L"\\song\\plugin.tmp";
  defaultWav = root + L"\\song\\plugin_temp.wav";
  reportPath = root + L"\\report.txt";
  windriver::writeFile(plugin, "[#SETTING]\r\nTempo=120.00\r\n");
}

bool ShellHost::start(const std::wstring& arguments, const std::vector<std::wstring>& environment) {
  std::wstring block = L"SONDREL_FAKE_REPORT=" + reportPath + L'\0';
  for (const std::wstring& entry : environment) block += entry + L'\0';
  return process.start(L"\"" + program + L"\" " + arguments, nullptr, block.c_str());
}

bool ShellHost::startWithPlugin(const std::wstring& options, const std::vector<std::wstring>& environment) {
  return start(L"\"" + plugin + L"\" " + options, environment);
}

HWND ShellHost::dialog(DWORD milliseconds) const { return windriver::findDialog(process.id(), L"TARV", milliseconds); }

std::map<std::string, std::string> ShellHost::report() const {
  std::string text;
  std::map<std::string, std::string> entries;
  if (!windriver::readFile(reportPath, text)) return entries;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    std::string line = text.substr(start, end - start);
    size_t equals = line.find('=');
    if (equals != std::string::npos) entries[line.substr(0, equals)] = line.substr(equals + 1);
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return entries;
}

std::string ShellHost::pluginContent() const {
  std::string bytes;
  windriver::readFile(plugin, bytes);
  return bytes;
}

bool waitForText(HWND dialog, int id, const std::wstring& text, DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (windriver::controlText(dialog, id) != text) {
    if (GetTickCount() - start >= milliseconds) return false;
    Sleep(20);
  }
  return true;
}

}  // namespace shelltest
