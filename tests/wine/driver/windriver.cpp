#include "windriver.h"

#include <tlhelp32.h>

#include <gtest/gtest.h>

namespace windriver {
namespace {

// Removes the tree at `path`; true when nothing is left of it.
bool removeTree(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName, child = path + L"\\" + name;
      if (name == L"." || name == L"..") continue;
      SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY ? !removeTree(child) : !DeleteFileW(child.c_str())) break;
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  return RemoveDirectoryW(path.c_str()) || !fileExists(path);
}

struct DialogSearch { DWORD processId; const wchar_t* caption; bool messageBox; HWND found; HWND owner; };

BOOL CALLBACK matchDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<DialogSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t className[64] = {}, caption[256] = {};
  GetClassNameW(window, className, 64);
  GetWindowTextW(window, caption, 256);
  if ((search->processId && process != search->processId) || !IsWindowVisible(window) || lstrcmpW(className, L"#32770") != 0 ||
      (search->owner && GetWindow(window, GW_OWNER) != search->owner) ||
      (search->messageBox && !GetDlgItem(window, 0xFFFF)) || (search->caption && lstrcmpW(caption, search->caption)))
    return TRUE;
  search->found = window;
  return FALSE;
}

HWND pollDialog(DialogSearch search, DWORD milliseconds) {
  eventually([&] { return !EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&search)) && search.found; },
             milliseconds);
  return search.found;
}

void postKey(HWND dialog, WPARAM key) {
  // The modal loop hands keys of the focused control to IsDialogMessage,
  // which turns Enter and Escape into commands, as for a real key press.
  HWND target = GetDlgItem(dialog, IDCANCEL) ? GetDlgItem(dialog, IDCANCEL) : dialog;
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

std::wstring windowsPath(const char* unixPath) {
  wchar_t path[MAX_PATH] = L"Z:";
  MultiByteToWideChar(CP_UTF8, 0, unixPath, -1, path + 2, MAX_PATH - 2);
  for (wchar_t* c = path; *c; ++c)
    if (*c == L'/') *c = L'\\';
  return path;
}

}  // namespace

std::wstring buildDir() { return windowsPath(BUILD_TREE_DIR); }
std::wstring twinBuildDir() { return windowsPath(TWIN_TREE_DIR); }

std::wstring scratchDir(const std::wstring& name) {
  std::wstring root = buildDir() + L"\\test_tmp", dir = root + L"\\" + name;
  CreateDirectoryW(root.c_str(), nullptr);
  if (!removeTree(dir)) ADD_FAILURE() << "cannot remove what an earlier run left in test_tmp\\" << std::string(name.begin(), name.end());
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

bool processRunning(const wchar_t* program) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry))
    found = lstrcmpiW(entry.szExeFile, program) == 0;
  CloseHandle(snapshot);
  return found;
}

std::string fileText(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  std::string bytes;
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(file);
  return bytes;
}

bool fileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool copyFile(const std::wstring& from, const std::wstring& to) { return CopyFileW(from.c_str(), to.c_str(), FALSE); }

std::vector<std::wstring> filesIn(const std::wstring& directory, const wchar_t* pattern) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((directory + L"\\" + pattern).c_str(), &found);
  for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  return names;
}

std::vector<std::string> logLines(const std::wstring& path, const std::string& prefix) {
  std::string bytes = fileText(path);
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
    if (bytes.compare(start, prefix.size(), prefix) == 0) lines.push_back(bytes.substr(start, end - start));
  return lines;
}

Process::~Process() {
  if (process_) CloseHandle(process_);
}

bool Process::start(const std::wstring& commandLine, const wchar_t* currentDirectory,
                     const std::vector<std::wstring>& environment) {
  std::wstring block;
  wchar_t* inherited = GetEnvironmentStringsW();
  for (const wchar_t* p = inherited; *p; p += lstrlenW(p) + 1) block.append(p, lstrlenW(p) + 1);
  FreeEnvironmentStringsW(inherited);
  for (const std::wstring& entry : environment) block.append(entry.c_str(), entry.size() + 1);
  block.push_back(L'\0');
  std::wstring line = commandLine;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT, &block[0],
                      currentDirectory, &startup, &info))
    return false;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
  return true;
}

DWORD Process::wait(DWORD milliseconds) {
  DWORD code = STILL_ACTIVE;
  if (process_ && WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0) GetExitCodeProcess(process_, &code);
  return code;
}

void Process::kill() {
  if (process_) TerminateProcess(process_, 0xDEAD);
}

HWND findDialog(DWORD processId, const wchar_t* caption, DWORD milliseconds) {
  return pollDialog({processId, caption, false, nullptr, nullptr}, milliseconds);
}

HWND findMessageBox(DWORD processId, DWORD milliseconds) {
  return pollDialog({processId, nullptr, true, nullptr, nullptr}, milliseconds);
}

std::wstring controlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  if (!control) return L"<no control>";
  std::wstring text(static_cast<size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
  text.resize(static_cast<size_t>(
      SendMessageW(control, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(&text[0]))));
  return text;
}

bool waitForText(HWND dialog, int id, const std::wstring& text, DWORD milliseconds) {
  return eventually([&] { return controlText(dialog, id) == text; }, milliseconds);
}

std::wstring messageBoxText(HWND box) { return controlText(box, 0xFFFF); }

void pressButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void pressEnter(HWND dialog) { postKey(dialog, VK_RETURN); }
void pressEscape(HWND dialog) { postKey(dialog, VK_ESCAPE); }
void pressCloseBox(HWND dialog) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }

bool eventually(const std::function<bool()>& condition, DWORD milliseconds) {
  for (DWORD start = GetTickCount(); !condition(); Sleep(20))
    if (GetTickCount() - start >= milliseconds) return false;
  return true;
}

HWND focused(HWND dialog) {
  // Wine takes the focus from a thread whose window another program's window
  // made inactive (a test running beside this one); the dialog gets it back
  // when it is the foreground window again.
  if (IsWindowEnabled(dialog) && GetForegroundWindow() != dialog) SetForegroundWindow(dialog);
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) ? info.hwndFocus : nullptr;
}

// The focus, once there is one: a dialog gets it back only a moment after it
// is active again, or after a message box of its own has closed.
HWND keyTarget(HWND dialog) {
  HWND target = nullptr;
  eventually([&] { return (target = focused(dialog)) != nullptr; });
  return target;
}

void pressKey(HWND dialog, WPARAM key) {
  HWND target = keyTarget(dialog);
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

void typeKeys(HWND dialog, const std::wstring& text) {
  HWND target = keyTarget(dialog);
  for (wchar_t c : text) PostMessageW(target, WM_CHAR, c, 1);
}

void pressAlt(HWND dialog, wchar_t letter) { PostMessageW(keyTarget(dialog), WM_SYSCHAR, letter, 0x20000001); }

HWND findOwnedDialog(HWND owner, DWORD milliseconds) {
  return pollDialog({0, nullptr, false, nullptr, owner}, milliseconds);
}

std::vector<std::wstring> clippedTexts(HWND dialog) {
  HDC screen = GetDC(nullptr);
  HFONT font = CreateFontW(-MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_DONTCARE, FALSE, FALSE,
                           FALSE, DEFAULT_CHARSET, 0, 0, PROOF_QUALITY, FF_DONTCARE, L"MS Shell Dlg");
  HGDIOBJ previous = SelectObject(screen, font);
  std::vector<std::wstring> clipped;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t type[16] = {}, text[256] = {};
    GetClassNameW(child, type, 16);
    SendMessageW(child, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
    bool button = lstrcmpiW(type, L"Button") == 0;
    if (!text[0] || (!button && lstrcmpiW(type, L"Static") != 0)) continue;
    RECT need = {}, have = {};
    DrawTextW(screen, text, -1, &need, DT_CALCRECT | DT_SINGLELINE);
    GetClientRect(child, &have);
    // A button draws its text inside its frame.
    if (need.right > have.right - (button ? 6 : 0))
      clipped.push_back(text + (L" needs " + std::to_wstring(need.right) + L" of " + std::to_wstring(have.right)));
  }
  SelectObject(screen, previous);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return clipped;
}

void setWriteTime(const std::wstring& path, int secondsFromNow) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER time = {{now.dwLowDateTime, now.dwHighDateTime}};
  time.QuadPart += static_cast<LONGLONG>(secondsFromNow) * 10000000;
  FILETIME then = {time.LowPart, time.HighPart};
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  SetFileTime(file, nullptr, nullptr, &then);
  CloseHandle(file);
}

bool waitWindowGone(HWND window, DWORD milliseconds) {
  return eventually([&] { return !IsWindow(window); }, milliseconds);
}

bool centred(HWND window) {
  RECT desktop, rect;
  GetWindowRect(GetDesktopWindow(), &desktop);
  GetWindowRect(window, &rect);
  return rect.left == (desktop.right - (rect.right - rect.left)) / 2 &&
         rect.top == (desktop.bottom - (rect.bottom - rect.top)) / 2;
}

std::wstring demoBank() {
  std::wstring build = buildDir();
  return build.substr(0, build.find_last_of(L'\\')) + L"\\demo_bank";
}

Host::Host(const std::wstring& name, const char* settingIni)
    : root(scratchDir(name)), work(root + L"\\work"), plugin(work + L"\\t1.tmp"), log(root + L"\\calls.log") {
  for (const wchar_t* dir : {L"\\work", L"\\plugins", L"\\plugins\\sondrel"}) CreateDirectoryW((root + dir).c_str(), nullptr);
  if (settingIni) writeFile(root + L"\\setting.ini", settingIni);
}

void Host::install(const std::wstring& program, const std::wstring& as) const {
  copyFile(buildDir() + L"\\" + program, root + L"\\plugins\\sondrel\\" + as);
}

bool Host::start(const std::wstring& options, const std::vector<std::wstring>& environment) {
  std::vector<std::wstring> entries{L"REFTOOL_LOG=" + log, L"STANDIN_LOG=" + log};
  entries.insert(entries.end(), environment.begin(), environment.end());
  return process.start(L"\"" + root + L"\\plugins\\sondrel\\" + program + L"\" \"" + plugin + L"\" " + options,
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

}  // namespace windriver
