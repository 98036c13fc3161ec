#include "windriver.h"

#include <shlwapi.h>

#include <vector>

namespace windriver {
namespace {

std::wstring widen(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  return wide;
}

struct DialogSearch {
  DWORD processId;
  const wchar_t* caption;
  HWND except;
  bool messageBox;
  HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<DialogSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || window == search->except || !IsWindowVisible(window)) return TRUE;
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  if (lstrcmpW(className, L"#32770") != 0) return TRUE;
  if (search->messageBox && !GetDlgItem(window, 0xFFFF)) return TRUE;
  if (search->caption) {
    wchar_t caption[256] = {};
    GetWindowTextW(window, caption, 256);
    if (lstrcmpW(caption, search->caption) != 0) return TRUE;
  }
  search->found = window;
  return FALSE;
}

HWND pollDialog(DialogSearch search, DWORD milliseconds) {
  DWORD start = GetTickCount();
  for (;;) {
    search.found = nullptr;
    EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found || GetTickCount() - start >= milliseconds) return search.found;
    Sleep(50);
  }
}

void postKey(HWND dialog, WPARAM key) {
  // The modal loop hands keys of the focused control to IsDialogMessage,
  // which turns Enter and Escape into commands, as for a real key press.
  HWND target = GetDlgItem(dialog, IDCANCEL);
  if (!target) target = dialog;
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

}  // namespace

std::wstring winePath(const std::string& unixPath) {
  std::wstring path = L"Z:" + widen(unixPath);
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

std::wstring buildDir() { return winePath(WIN64_BINARY_DIR); }
std::wstring sourceDir() { return winePath(SOURCE_ROOT_DIR); }

std::wstring scratchDir(const std::wstring& name) {
  std::wstring root = buildDir() + L"\\test_tmp";
  CreateDirectoryW(root.c_str(), nullptr);
  std::wstring dir = root + L"\\" + name;
  // Remove what an earlier run left: files and one level of subdirectories.
  std::vector<std::wstring> pending{dir};
  while (!pending.empty()) {
    std::wstring current = pending.back();
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((current + L"\\*").c_str(), &data);
    bool hasSubdirs = false;
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring path = current + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          pending.push_back(path);
          hasSubdirs = true;
        } else {
          SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileW(path.c_str());
        }
      } while (FindNextFileW(find, &data));
      FindClose(find);
    }
    if (!hasSubdirs) {
      RemoveDirectoryW(current.c_str());
      pending.pop_back();
    }
  }
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

bool writeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool readFile(const std::wstring& path, std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return true;
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool copyFile(const std::wstring& from, const std::wstring& to) {
  return CopyFileW(from.c_str(), to.c_str(), FALSE) != 0;
}

Process::~Process() {
  if (process_) CloseHandle(process_);
}

bool Process::start(const std::wstring& commandLine, const wchar_t* currentDirectory,
                    const wchar_t* extraEnvironment) {
  std::vector<wchar_t> environment;
  if (extraEnvironment) {
    wchar_t* block = GetEnvironmentStringsW();
    for (const wchar_t* p = block; *p; p += lstrlenW(p) + 1) environment.insert(environment.end(), p, p + lstrlenW(p) + 1);
    FreeEnvironmentStringsW(block);
    for (const wchar_t* p = extraEnvironment; *p; p += lstrlenW(p) + 1)
      environment.insert(environment.end(), p, p + lstrlenW(p) + 1);
    environment.push_back(L'\0');
  }
  std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
  line.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE,
                      extraEnvironment ? CREATE_UNICODE_ENVIRONMENT : 0,
                      extraEnvironment ? environment.data() : nullptr, currentDirectory, &startup, &info))
    return false;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
  return true;
}

DWORD Process::wait(DWORD milliseconds) {
  if (!process_) return STILL_ACTIVE;
  if (WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

void Process::kill() {
  if (process_) TerminateProcess(process_, 0xDEAD);
}

HWND findDialog(DWORD processId, const wchar_t* caption, DWORD milliseconds) {
  return pollDialog({processId, caption, nullptr, false, nullptr}, milliseconds);
}

HWND findOtherDialog(DWORD processId, HWND except, DWORD milliseconds) {
  return pollDialog({processId, nullptr, except, false, nullptr}, milliseconds);
}

HWND findMessageBox(DWORD processId, DWORD milliseconds) {
  return pollDialog({processId, nullptr, nullptr, true, nullptr}, milliseconds);
}

std::wstring controlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  if (!control) return L"<no control>";
  int length = static_cast<int>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(control, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(static_cast<size_t>(length));
  return text;
}

bool controlEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }
bool controlVisible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != 0; }

std::wstring messageBoxText(HWND box) { return controlText(box, 0xFFFF); }

void pressButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void pressEnter(HWND dialog) { postKey(dialog, VK_RETURN); }
void pressEscape(HWND dialog) { postKey(dialog, VK_ESCAPE); }
void pressCloseBox(HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

bool waitWindowGone(HWND window, DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (IsWindow(window)) {
    if (GetTickCount() - start >= milliseconds) return false;
    Sleep(50);
  }
  return true;
}

}  // namespace windriver
