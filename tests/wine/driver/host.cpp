#include "host.h"

namespace windriver {

std::wstring demoBank() {
  std::wstring build = buildDir();
  return build.substr(0, build.find_last_of(L'\\')) + L"\\demo_bank";
}

Host::Host(const std::wstring& name, const char* settingIni)
    : root(scratchDir(name)), work(root + L"\\work"), plugin(work + L"\\t1.tmp"), log(root + L"\\calls.log") {
  for (const wchar_t* dir : {L"\\work", L"\\plugins", L"\\plugins\\sondrel"}) CreateDirectoryW((root + dir).c_str(), nullptr);
  if (settingIni) writeFile(root + L"\\setting.ini", settingIni);
}

void Host::install(const std::wstring& program) const {
  copyFile(buildDir() + L"\\" + program, root + L"\\plugins\\sondrel\\sondrel.exe");
}

bool Host::start(const std::wstring& options, const std::vector<std::wstring>& environment) {
  std::vector<std::wstring> entries{L"REFTOOL_LOG=" + log, L"STANDIN_LOG=" + log};
  entries.insert(entries.end(), environment.begin(), environment.end());
  return process.start(L"\"" + root + L"\\plugins\\sondrel\\sondrel.exe\" \"" + plugin + L"\" " + options,
                       work.c_str(), entries);
}

RunResult Host::run(const std::wstring& options, const std::vector<std::wstring>& environment,
                    const std::function<void(HWND)>& whileRunning) {
  RunResult result;
  if (!start(options, environment)) return result;
  if (HWND shown = whileRunning ? dialog() : nullptr) whileRunning(shown);
  for (int i = 0; i < 600 && (result.exitCode = process.wait(100)) == STILL_ACTIVE; ++i) {
    // A render that fails at once shows its message before its dialog.
    HWND box = findMessageBox(process.id(), 0);
    if (box && result.message.empty()) {
      result.message = messageBoxText(box);
      pressButton(box, IDOK);
    }
  }
  if (result.exitCode == STILL_ACTIVE) process.kill();
  return result;
}

std::vector<std::string> Host::calls(const std::string& prefix) const {
  std::string bytes = fileText(log);
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
    if (bytes.compare(start, prefix.size(), prefix) == 0) lines.push_back(bytes.substr(start, end - start));
  return lines;
}

}  // namespace windriver
