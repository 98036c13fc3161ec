// quillet's named configurations in the registry (the main key is the
// registry view test's part).
#include "quillet_host.h"

namespace quillettest {
namespace {

using testing::ElementsAre;

std::vector<std::wstring> listed(HWND dialog) {
  std::vector<std::wstring> names;
  HWND box = GetDlgItem(dialog, kConfigurations);
  for (LRESULT i = 0; i < SendMessageW(box, CB_GETCOUNT, 0, 0); ++i) {
    wchar_t name[300] = {};
    SendMessageW(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name));
    names.push_back(name);
  }
  return names;
}

TEST_F(QuilletTest, ConfigurationsMatchWholeNamesAndTheListShowsTheRegistry) {
  QuilletHost host(L"quillet_configurations", kSong);
  HWND dialog = host.open({{kRangeHigh, L"4"}});
  ASSERT_NE(dialog, nullptr);
  auto saveAs = [&](const wchar_t* name, const wchar_t* flag) {
    type(dialog, kFlag, flag);
    type(dialog, kConfigurations, name);
    ASSERT_TRUE(click(dialog, kSave));
  };
  ASSERT_TRUE(click(dialog, kApply));
  saveAs(L"abc", L"a");
  saveAs(L"ab", L"b");
  saveAs(L" x\\y  ", L"c");
  EXPECT_THAT(listed(dialog), ElementsAre(L"ab", L"abc", L"x_y")) << "a name that is a prefix of another is listed";
  EXPECT_EQ(readValue(L"configurations\\ab", L"Flag").bytes, std::string("b\0\0\0", 4));
  EXPECT_EQ(readValue(L"configurations\\x_y", L"Flag").bytes, std::string("c\0\0\0", 4));
  EXPECT_FALSE(readValue(L"configurations\\abc", L"WindowPos").found);
  // Through the buttons' mnemonics: what failed is told, and nothing changes.
  struct Told { std::wstring name; wchar_t key; const wchar_t* message; } told[] = {
      {L"  ", L's', L"Type a name"}, {L"nothing", L'r', L"No configuration named \"nothing\""},
      {L"nothing", L'd', L"No configuration named \"nothing\""},
      {std::wstring(300, L'n'), L's', L"could not be saved (error 87)"},
  };
  for (const Told& t : told) {
    type(dialog, kConfigurations, t.name);
    pressAlt(dialog, t.key);
    EXPECT_THAT(answerMessage(host, dialog), testing::HasSubstr(t.message)) << t.key;
  }
  EXPECT_FALSE(readValue(L"configurations", L"Flag").found) << "the empty name writes nothing";

  type(dialog, kHighNote, L"D3");
  type(dialog, kLowNote, L"C3");
  ASSERT_TRUE(click(dialog, kApply));
  type(dialog, kConfigurations, L"ABC");
  ASSERT_TRUE(click(dialog, kRead));
  EXPECT_EQ(controlText(dialog, kFlag), L"a") << "names compare without regard to case";
  EXPECT_EQ(controlText(dialog, kHighNote), L"E4") << "reading another scale rebuilds the grid";
  EXPECT_THAT(rows(dialog), ElementsAre(L"E4=4", L"D#4=3", L"D4=2", L"C#4=1", L"C4=0"));

  type(dialog, kConfigurations, L"ab");
  ASSERT_TRUE(click(dialog, kDelete));
  EXPECT_THAT(listed(dialog), ElementsAre(L"abc", L"x_y"));
  EXPECT_EQ(controlText(dialog, kConfigurations), L"");
  EXPECT_FALSE(readValue(L"configurations\\ab", L"Flag").found);
  EXPECT_TRUE(readValue(L"configurations\\abc", L"Flag").found);
  EXPECT_EQ(host.close(dialog, IDCANCEL), 0u);
  // What the next start lists is the registry view test's part.
}

}  // namespace
}  // namespace quillettest
