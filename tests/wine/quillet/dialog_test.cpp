// quillet's dialog with its English texts, driven through its real windows:
// the fields and the value grid, Apply, typing and scrolling in the grid, OK
// with the plug-in output and the ends without one.
#include "quillet_host.h"

namespace quillettest {
namespace {

using testing::ElementsAre;

TEST_F(QuilletTest, OpensOnTheSelectionsScaleAndCancelLeavesAnEmptyFile) {
  QuilletHost host(L"quillet_open", kSong);
  HWND dialog = host.open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(controlText(dialog, kHighNote), L"E4");
  EXPECT_EQ(controlText(dialog, kLowNote), L"C4");
  EXPECT_EQ(controlText(dialog, kFlag), L"g") << "the first start's defaults";
  EXPECT_EQ(controlText(dialog, kRangeLow), L"0");
  EXPECT_EQ(controlText(dialog, kRangeHigh), L"0");
  EXPECT_THAT(rows(dialog), ElementsAre(L"E4=", L"D#4=", L"D4=", L"C#4=", L"C4="));
  EXPECT_EQ(GetDlgItem(valueGrid(dialog), 505), nullptr) << "one row per note of the scale, no more";
  struct Limit { int id; HWND control; LRESULT characters; } limits[] = {
      {kFlag, nullptr, 1}, {kLowNote, nullptr, 3}, {kHighNote, nullptr, 3}, {kRangeLow, nullptr, 6},
      {kRangeHigh, nullptr, 6}, {0, GetDlgItem(valueGrid(dialog), 500), 6}};
  for (const Limit& limit : limits) {
    HWND control = limit.control ? limit.control : GetDlgItem(dialog, limit.id);
    EXPECT_EQ(SendMessageW(control, EM_GETLIMITTEXT, 0, 0), limit.characters) << "control " << limit.id;
  }
  EXPECT_TRUE(centred(dialog));
  EXPECT_EQ(host.close(dialog, IDCANCEL), 0u);
  EXPECT_EQ(fileText(host.plugin), "");
  EXPECT_FALSE(readValue(L"", L"Flag").found) << "Cancel saves nothing";
}

TEST_F(QuilletTest, EscapeAndTheCloseBoxEndWithoutOutputAndEnterIsOk) {
  struct Case { const char* name; void (*press)(HWND); std::string after; } cases[] = {
      {"Escape", pressEscape, ""}, {"close box", pressCloseBox, ""},
      {"Enter", pressEnter, "[#0003]\r\n[#0004]\r\n[#0005]\r\n[#0006]\r\n[#0007]\r\n[#0008]\r\n"},
  };
  for (const Case& c : cases) {
    QuilletHost host(L"quillet_keys", kSong);
    HWND dialog = host.open();
    ASSERT_NE(dialog, nullptr) << c.name;
    c.press(dialog);
    EXPECT_EQ(host.process.wait(kPatience), 0u) << c.name;
    EXPECT_EQ(fileText(host.plugin), c.after) << c.name << ": an empty grid changes no flag";
  }
}

TEST_F(QuilletTest, OkThatCannotWriteTheOutputKeepsTheDialogOpen) {
  QuilletHost host(L"quillet_read_only", kSong);
  HWND dialog = host.open({{kRangeLow, L"1"}});
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(click(dialog, kApply));
  // Open without sharing, the file cannot be replaced (Wine, unlike Windows,
  // replaces a read-only file).
  HANDLE held = CreateFileW(host.plugin.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_TRUE(click(dialog, IDOK));
  EXPECT_TRUE(IsWindowVisible(dialog)) << "closing would hand the host editor its own input as the output";
  CloseHandle(held);
  EXPECT_EQ(fileText(host.plugin), kSong);
  EXPECT_FALSE(readValue(L"", L"Flag").found);
  EXPECT_EQ(host.close(dialog, IDOK), 0u);
  EXPECT_EQ(fileText(host.plugin).substr(0, 25), "[#0003]\r\nFlags=B40g1\r\n[#0") << "the next OK writes";
}

TEST_F(QuilletTest, ApplySwapsAReversedPairFillsTheGridAndOkWritesTheOutput) {
  QuilletHost host(L"quillet_apply", kSong);
  HWND dialog = host.open({{kHighNote, L"C4"}, {kLowNote, L"e4"}, {kRangeHigh, L"0"}, {kRangeLow, L"10"}});
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(click(dialog, kApply));
  EXPECT_EQ(controlText(dialog, kHighNote), L"e4") << "the note fields trade places";
  EXPECT_EQ(controlText(dialog, kLowNote), L"C4");
  EXPECT_EQ(controlText(dialog, kRangeHigh), L"10") << "each range number stays with its note";
  EXPECT_EQ(controlText(dialog, kRangeLow), L"0");
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

TEST_F(QuilletTest, TypedValuesAreCommittedWhenTheGridScrolls) {
  QuilletHost host(L"quillet_scroll", "[#0001]\r\nNoteNum=48\r\n[#0002]\r\nNoteNum=71\r\n[#0003]\r\nNoteNum=72\r\nFlags=g5\r\n");
  HWND dialog = host.open();
  ASSERT_NE(dialog, nullptr);
  ASSERT_EQ(rows(dialog).size(), 7u) << "the rows that fit the grid's place";
  typeInRow(dialog, 0, L"7");
  typeInRow(dialog, 1, L"x");
  scrollGrid(dialog, SB_LINEDOWN);
  EXPECT_EQ(rows(dialog)[0], L"B4=0") << "a text without digits is 0, not empty";
  scrollGrid(dialog, SB_LINEUP);
  EXPECT_EQ(rows(dialog)[0], L"C5=7");
  SendMessageW(valueGrid(dialog), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(rows(dialog)[0], L"A4=") << "a notch of the wheel scrolls three lines";
  scrollGrid(dialog, SB_BOTTOM);
  EXPECT_THAT(rows(dialog), ElementsAre(L"F#3=", L"F3=", L"E3=", L"D#3=", L"D3=", L"C#3=", L"C3="))
      << "the grid stops where the scroll bar does";
  scrollGrid(dialog, SB_TOP);
  typeInRow(dialog, 0, L"");
  scrollGrid(dialog, SB_PAGEDOWN);
  scrollGrid(dialog, SB_PAGEUP);
  EXPECT_THAT(rows(dialog), testing::Contains(L"C5=")) << "a cleared row is empty again";
  EXPECT_EQ(host.close(dialog, IDOK), 0u);
  EXPECT_EQ(fileText(host.plugin), "[#0001]\r\n[#0002]\r\nFlags=g0\r\n[#0003]\r\n");
}

}  // namespace
}  // namespace quillettest
