// quillet's dialog with its English texts, driven through its real windows:
// a selection without a usable note, a dialog that cannot be created, the
// fields and the value grid, Apply, typing, scrolling and keys in the grid, OK
// with the plug-in output, the ends without one, and what OK tells when it
// cannot write.
#include "quillet_host.h"

namespace quillettest {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;

TEST_F(QuilletTest, OnlyRestsEndTheDialogAtOnceWithAnEmptyOutput) {
  QuilletHost host(L"quillet_rests", "[#0001]\r\nLyric=R\r\nNoteNum=60\r\n[#0002]\r\nLyric=r\r\nNoteNum=62\r\n");
  ASSERT_TRUE(host.start(L""));
  EXPECT_EQ(host.process.wait(kPatience), 0u);
  EXPECT_EQ(fileText(host.plugin), "");
}

TEST_F(QuilletTest, ADialogThatCannotBeCreatedIsToldWithAnEmptyOutput) {
  QuilletHost host(L"quillet_no_dialog", kSong);
  host.install(L"tests\\wine\\quillet\\quillet_without_dialog.exe", L"quillet.exe");
  ASSERT_TRUE(host.start(L""));
  EXPECT_THAT(answerMessage(host), HasSubstr(L"could not open its window (error 1407)"));
  EXPECT_EQ(host.process.wait(kPatience), 1407u);
  EXPECT_EQ(fileText(host.plugin), "") << "no output, as the host editor expects when a plug-in fails";
}

// The plug-in file cannot be replaced when the host editor holds it open
// without delete sharing (or in a folder too long for a file beside it); OK
// then writes into the file itself. Held without write sharing, it cannot be
// written at all: OK says so and keeps the dialog open.
TEST_F(QuilletTest, OkWritesInPlaceWhenItCannotReplaceAndTellsWhenItCannotWrite) {
  struct Case { const char* name; DWORD sharing; bool longFolder; const wchar_t* message; } cases[] = {
      {"held with write sharing", FILE_SHARE_READ | FILE_SHARE_WRITE, false, nullptr},
      {"a folder of 248 characters", 0, true, nullptr},
      {"held without write sharing", FILE_SHARE_READ, false, L"could not be written to the plug-in file (error 32)"},
  };
  for (const Case& c : cases) {
    clearRegistry();
    QuilletHost host(L"quillet_write", kSong);
    if (c.longFolder) {
      std::wstring folder = host.work + L"\\" + std::wstring(247 - host.work.size(), L'f');
      CreateDirectoryW(folder.c_str(), nullptr);
      host.plugin = folder + L"\\t1.tmp";
      writeFile(host.plugin, kSong);
    }
    HWND dialog = host.open({{kRangeLow, L"1"}, {kRangeHigh, L"1"}});
    ASSERT_NE(dialog, nullptr) << c.name;
    ASSERT_TRUE(click(dialog, kApply)) << c.name;
    HANDLE held = c.longFolder ? INVALID_HANDLE_VALUE
                               : CreateFileW(host.plugin.c_str(), GENERIC_READ, c.sharing, nullptr, OPEN_EXISTING, 0, nullptr);
    pressButton(dialog, IDOK);
    if (c.message) {
      EXPECT_THAT(answerMessage(host, dialog), HasSubstr(c.message)) << c.name;
      EXPECT_TRUE(IsWindowVisible(dialog)) << c.name << ": closing would hand the host editor its own input";
      EXPECT_FALSE(readValue(L"", L"Flag").found) << c.name;
      CloseHandle(std::exchange(held, INVALID_HANDLE_VALUE));
      pressButton(dialog, IDOK);
    }
    EXPECT_EQ(host.process.wait(kPatience), 0u) << c.name;
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    EXPECT_EQ(fileText(host.plugin),
              "[#0003]\r\nFlags=B40g1\r\n[#0004]\r\n[#0005]\r\nFlags=g1Y0\r\n[#0006]\r\nFlags=g1\r\n[#0007]\r\n[#0008]\r\n")
        << c.name;
    EXPECT_THAT(filesIn(host.plugin.substr(0, host.plugin.rfind(L'\\')), L"*.tmp"), ElementsAre(L"t1.tmp"))
        << c.name << ": nothing left beside it";
  }
}

// A stored position off every screen is not restored: the dialog opens
// centred, and the other values, missing, take their defaults. (Cancel ends
// as a selection of rests does, with an empty output.)
TEST_F(QuilletTest, OpensOnTheSelectionsScaleApplySwapsAReversedPairAndOkWritesTheOutput) {
  int32_t offScreen[] = {-30000, -30000, -29700, -29700};
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kMainKey, L"WindowPos", REG_BINARY, offScreen, sizeof offScreen), 0);
  QuilletHost host(L"quillet_apply", kSong);
  HWND dialog = host.open();
  ASSERT_NE(dialog, nullptr);
  auto fields = [&] {
    std::vector<std::wstring> texts;
    for (int id : {kHighNote, kLowNote, kFlag, kRangeLow, kRangeHigh}) texts.push_back(controlText(dialog, id));
    return texts;
  };
  EXPECT_THAT(fields(), ElementsAre(L"E4", L"C4", L"g", L"0", L"0"));
  EXPECT_THAT(rows(dialog), ElementsAre(L"E4=", L"D#4=", L"D4=", L"C#4=", L"C4="));
  EXPECT_EQ(GetDlgItem(valueGrid(dialog), 505), nullptr) << "one row per note of the scale, no more";
  EXPECT_THAT(clippedTexts(dialog), IsEmpty());
  EXPECT_TRUE(centred(dialog));

  for (auto [id, text] : {std::pair{kHighNote, L"C4"}, {kLowNote, L"e4"}, {kRangeHigh, L"0"}, {kRangeLow, L"10"}})
    type(dialog, id, text);
  ASSERT_TRUE(click(dialog, kApply));
  EXPECT_THAT(fields(), ElementsAre(L"e4", L"C4", L"g", L"0", L"10"))
      << "the note fields trade places, each range number stays with its note";
  EXPECT_THAT(rows(dialog), ElementsAre(L"E4=10", L"D#4=8", L"D4=5", L"C#4=3", L"C4=0"));
  type(dialog, kHighNote, L"H4");
  type(dialog, kRangeHigh, L"40000");
  ASSERT_TRUE(click(dialog, kApply));
  EXPECT_THAT(rows(dialog), ElementsAre(L"E4=32767", L"D#4=24575", L"D4=16384", L"C#4=8192", L"C4=0"))
      << "a name that does not parse keeps the scale; the range is clamped, not wrapped";
  typeInRow(dialog, 2, L"-7");
  EXPECT_EQ(host.close(dialog, IDOK), 0u);
  EXPECT_EQ(fileText(host.plugin),
            "[#0003]\r\nFlags=B40g0\r\n[#0004]\r\n[#0005]\r\nFlags=g32767Y0\r\n[#0006]\r\nFlags=g-7\r\n[#0007]\r\n[#0008]\r\n")
      << "notes outside the scale and rests keep their flags; typed values count without a scroll";
}

TEST_F(QuilletTest, KeysAloneReachEveryRowAndFullWidthInputCounts) {
  QuilletHost host(L"quillet_keys_alone", "[#0001]\r\nNoteNum=48\r\n[#0002]\r\nNoteNum=72\r\n");
  HWND dialog = host.open();
  ASSERT_NE(dialog, nullptr);
  // After a key: the first row's "name=value" and the row that has the focus.
  auto at = [&](const std::wstring& firstRow, int focus) {
    HWND edit = GetDlgItem(valueGrid(dialog), 500 + focus);
    return eventually([&] { return rows(dialog)[0] == firstRow && focused(dialog) == edit; });
  };
  ASSERT_TRUE(eventually([&] { return focused(dialog) == GetDlgItem(dialog, kFlag); })) << "it opens on the flag";
  // Wine's Tab goes from row to row without it; that of Windows only with it.
  EXPECT_TRUE(GetWindowLongPtrW(valueGrid(dialog), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
  typeKeys(dialog, L"\xFF59");  // a full-width y replaces the selected g
  pressKey(dialog, VK_TAB);
  pressKey(dialog, VK_TAB);
  ASSERT_TRUE(eventually([&] { return focused(dialog) == GetDlgItem(dialog, kRangeHigh); }));
  typeKeys(dialog, L"\xFF11\xFF12");
  pressAlt(dialog, L'a');
  for (int i = 0; i < 3; ++i) pressKey(dialog, VK_TAB);
  ASSERT_TRUE(at(L"C5=12", 1)) << "Apply read the full-width 12, and Tab goes from row to row";
  pressKey(dialog, VK_UP);
  ASSERT_TRUE(at(L"C5=12", 0));
  typeKeys(dialog, L"\xFF15");
  pressKey(dialog, VK_END);
  ASSERT_TRUE(at(L"F#3=3", 6));
  typeKeys(dialog, L"\xFF0D\xFF12");
  pressKey(dialog, VK_PRIOR);
  ASSERT_TRUE(at(L"C#4=7", 6));
  pressKey(dialog, VK_HOME);
  ASSERT_TRUE(at(L"C5=5", 0)) << "the typed value was taken when the grid scrolled";
  for (int row = 1; row <= 7; ++row) {
    pressKey(dialog, VK_DOWN);
    ASSERT_TRUE(at(row < 7 ? L"C5=5" : L"B4=12", std::min(row, 6))) << "Down to row " << row;
  }
  pressKey(dialog, VK_NEXT);
  ASSERT_TRUE(at(L"E4=8", 6));
  scrollGrid(dialog, SB_LINEUP);
  SendMessageW(valueGrid(dialog), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(rows(dialog)[0], L"D4=7") << "the scroll bar, and the wheel by three lines a notch";
  pressKey(dialog, VK_RETURN);
  EXPECT_EQ(host.process.wait(kPatience), 0u);
  EXPECT_EQ(fileText(host.plugin), "[#0001]\r\nFlags=y-2\r\n[#0002]\r\nFlags=y5\r\n");
}

}  // namespace
}  // namespace quillettest
