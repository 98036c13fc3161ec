// quillet.exe in a host layout, its dialog's controls and value grid, and its
// registry key, which the tests clear before and after each test: the Wine
// prefix is shared by the whole test run, and every test of this key holds
// the lock "quillet_registry" so that no two run at once.
#pragma once

#include <gmock/gmock.h>

#include "windriver.h"

namespace quillettest {

using namespace windriver;

constexpr int kFlag = 1001, kRangeLow = 1003, kLowNote = 1004, kRangeHigh = 1005, kApply = 1006, kPlay = 1008,
              kHighNote = 1009, kDelete = 1011, kRead = 1012, kSave = 1013, kConfigurations = 1014;
constexpr wchar_t kMainKey[] = L"Software\\TARV Plugin\\quillet";
constexpr wchar_t kCaption[] = L"Quillet";

// C4 with flags, a rest and an unflagged note at D4, E4 with a g flag, and
// notes the grid cannot hold, between context notes: the scale is C4 to E4.
constexpr char kSong[] =
    "[#SETTING]\r\nTempo=120\r\n[#PREV]\r\nLyric=a\r\nNoteNum=50\r\nFlags=g9\r\n"
    "[#0003]\r\nLyric=a\r\nNoteNum=60\r\nFlags=B40\r\n[#0004]\r\nLyric=R\r\nNoteNum=62\r\n"
    "[#0005]\r\nLyric=i\r\nNoteNum=64\r\nFlags=g-5Y0\r\n[#0006]\r\nLyric=u\r\nNoteNum=62\r\n"
    "[#0007]\r\nLyric=o\r\nNoteNum=70000\r\nFlags=g1\r\n[#0008]\r\nLyric=e\r\nNoteNum=99999999999\r\n"
    "[#NEXT]\r\nLyric=a\r\nNoteNum=70\r\n";

void clearRegistry();

class QuilletTest : public testing::Test {
 protected:
  void SetUp() override { clearRegistry(); }
  void TearDown() override { clearRegistry(); }
};

struct QuilletHost : Host {
  QuilletHost(const wchar_t* name, const std::string& song);
  // Starts quillet on the plug-in file, waits for its dialog and types the
  // fields (control id, text) into it; null when no dialog appears.
  HWND open(const std::vector<std::pair<int, std::wstring>>& fields = {}, const wchar_t* caption = kCaption);
  // Ends the dialog with the command and returns quillet's exit code.
  DWORD close(HWND dialog, int id);
};

// Runs a command of the dialog and returns when it is done.
bool click(HWND dialog, int id, DWORD milliseconds = kPatience);
void type(HWND dialog, int id, const std::wstring& text);
// The text of quillet's message box (owned by the dialog, when there is one),
// after checking that it has the program's name as its caption and an icon;
// presses its OK. Empty when none appears.
std::wstring answerMessage(const QuilletHost& host, HWND dialog = nullptr);

HWND valueGrid(HWND dialog);
// "name=value" of each visible row, the first row first.
std::vector<std::wstring> rows(HWND dialog);
void typeInRow(HWND dialog, int row, const std::wstring& text);
void scrollGrid(HWND dialog, int code);

// A value of the main key (or of a key below it), as stored.
struct RegistryValue {
  bool found = false;
  DWORD type = 0;
  std::string bytes;
};
RegistryValue readValue(const std::wstring& subkey, const wchar_t* name);

}  // namespace quillettest
