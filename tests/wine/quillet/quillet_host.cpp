#include "quillet_host.h"

namespace quillettest {

void clearRegistry() {
  RegDeleteTreeW(HKEY_CURRENT_USER, kMainKey);
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\TARV Plugin");  // only when nothing else is left in it
}

QuilletHost::QuilletHost(const wchar_t* name, const std::string& song) : Host(name, nullptr) {
  program = L"quillet.exe";
  install(L"quillet.exe", L"quillet.exe");
  writeFile(plugin, song);
}

bool QuilletHost::startWith(const std::wstring& arguments) {
  return process.start(L"\"" + root + L"\\plugins\\sondrel\\quillet.exe\" " + arguments, work.c_str(),
                       {L"STANDIN_LOG=" + log});
}

HWND QuilletHost::open(const std::vector<std::pair<int, std::wstring>>& fields, const wchar_t* caption) {
  HWND dialog = start(L"") ? findDialog(process.id(), caption) : nullptr;
  for (const auto& [id, text] : fields)
    if (dialog) type(dialog, id, text);
  return dialog;
}

DWORD QuilletHost::close(HWND dialog, int id) {
  pressButton(dialog, id);
  DWORD code = process.wait(kPatience);
  if (code == STILL_ACTIVE) process.kill();
  return code;
}

bool click(HWND dialog, int id, DWORD milliseconds) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)), SMTO_NORMAL, milliseconds, &result) != 0;
}

void type(HWND dialog, int id, const std::wstring& text) {
  SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool eventually(const std::function<bool()>& condition) {
  for (DWORD start = GetTickCount(); !condition(); Sleep(20))
    if (GetTickCount() - start >= kPatience) return false;
  return true;
}

HWND focused(HWND dialog) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) ? info.hwndFocus : nullptr;
}

void pressKey(HWND dialog, WPARAM key) {
  HWND target = focused(dialog);
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

void typeKeys(HWND dialog, const std::wstring& text) {
  HWND target = focused(dialog);
  for (wchar_t c : text) PostMessageW(target, WM_CHAR, c, 1);
}

void pressAlt(HWND dialog, wchar_t letter) { PostMessageW(focused(dialog), WM_SYSCHAR, letter, 0x20000001); }

// The dialog's own labels have the id of a message box's text too.
HWND ownedBy(HWND dialog) {
  struct Search { HWND owner, found; } search = {dialog, nullptr};
  for (DWORD start = GetTickCount(); !search.found && GetTickCount() - start < kPatience; Sleep(50)) {
    EnumWindows(
        [](HWND window, LPARAM param) {
          auto* s = reinterpret_cast<Search*>(param);
          if (GetWindow(window, GW_OWNER) == s->owner && IsWindowVisible(window)) s->found = window;
          return s->found ? FALSE : TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}

std::wstring answerMessage(const QuilletHost& host, HWND dialog) {
  HWND box = dialog ? ownedBy(dialog) : findMessageBox(host.process.id());
  if (!box) return L"";
  wchar_t caption[64] = {};
  GetWindowTextW(box, caption, 64);
  EXPECT_STREQ(caption, L"Quillet");
  // The icon control of a message box (stc1); hidden when it shows none.
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(box, 0x0440))) << "no icon";
  std::wstring text = messageBoxText(box);
  pressButton(box, IDOK);
  waitWindowGone(box);
  return text;
}

std::vector<std::wstring> clippedTexts(HWND dialog) {
  HDC screen = GetDC(nullptr);
  // The font a dialog template of "MS Shell Dlg" at 8 points gets.
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

void touch(const std::wstring& path, int seconds) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER time = {{now.dwLowDateTime, now.dwHighDateTime}};
  time.QuadPart += static_cast<LONGLONG>(seconds) * 10000000;
  FILETIME then = {time.LowPart, time.HighPart};
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  SetFileTime(file, nullptr, nullptr, &then);
  CloseHandle(file);
}

HWND valueGrid(HWND dialog) {
  return FindWindowExW(dialog, nullptr, L"{655D0012-9196-4dd4-851C-18B821CAE089}", nullptr);
}

std::vector<std::wstring> rows(HWND dialog) {
  HWND grid = valueGrid(dialog);
  std::vector<std::wstring> shown;
  for (int row = 0; GetDlgItem(grid, 500 + row); ++row)
    if (IsWindowVisible(GetDlgItem(grid, 500 + row)))
      shown.push_back(controlText(grid, 100 + row) + L"=" + controlText(grid, 500 + row));
  return shown;
}

void typeInRow(HWND dialog, int row, const std::wstring& text) { type(valueGrid(dialog), 500 + row, text); }

void scrollGrid(HWND dialog, int code) { SendMessageW(valueGrid(dialog), WM_VSCROLL, MAKEWPARAM(code, 0), 0); }

RegistryValue readValue(const std::wstring& subkey, const wchar_t* name) {
  RegistryValue value;
  std::wstring path = subkey.empty() ? std::wstring(kMainKey) : std::wstring(kMainKey) + L"\\" + subkey;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key)) return value;
  DWORD size = 0;
  if (!RegQueryValueExW(key, name, nullptr, &value.type, nullptr, &size)) {
    value.bytes.resize(size + 1);
    value.found = !RegQueryValueExW(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(&value.bytes[0]), &size);
    value.bytes.resize(size);
  }
  RegCloseKey(key);
  return value;
}

}  // namespace quillettest
