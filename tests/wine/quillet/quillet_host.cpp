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

std::wstring answerMessage(const QuilletHost& host, HWND dialog) {
  HWND box = dialog ? findOwnedDialog(dialog) : findMessageBox(host.process.id());
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
