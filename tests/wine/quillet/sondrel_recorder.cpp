// Stand-in for sondrel.exe beside quillet.exe. It records into STANDIN_LOG
// how quillet started it ("command|<command line>") and copies the two files
// it was given to <log>.copy and <log>.modification. It also records whether
// the modification file resisted deletion ("held|1", as by the leftover
// clean-up of another quillet), whether quillet's dialog was disabled
// ("enabled|0") yet still answered a message ("responding|1") while quillet
// waited, and posts a second Play, which quillet must ignore until the first
// one is over.
#include <windows.h>

#include <string>

namespace {

std::string utf8(const std::wstring& wide) {
  int size = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &text[0], static_cast<int>(text.size()), nullptr, nullptr);
  text.pop_back();
  return text;
}

void append(const std::wstring& path, const std::string& text) {
  HANDLE file =
      CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t log[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"STANDIN_LOG", log, MAX_PATH)) return 1;
  std::wstring logPath = log;
  bool held = false;
  if (__argc >= 3 && wcsncmp(__wargv[2], L"/m:", 3) == 0) {
    CopyFileW(__wargv[1], (logPath + L".copy").c_str(), FALSE);
    CopyFileW(__wargv[2] + 3, (logPath + L".modification").c_str(), FALSE);
    held = !DeleteFileW(__wargv[2] + 3);
  }
  HWND dialog = FindWindowW(L"#32770", L"Quillet");
  DWORD_PTR answer = 0;
  bool responding = dialog && SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer);
  append(logPath, "command|" + utf8(GetCommandLineW()) + "\nheld|" + std::to_string(held) + "\nresponding|" +
                      std::to_string(responding) + "\nenabled|" + std::to_string(dialog && IsWindowEnabled(dialog)) + "\n");
  if (dialog) PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(1008, BN_CLICKED), 0);
  Sleep(500);
  return 0;
}
