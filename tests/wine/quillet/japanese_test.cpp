// quillet on a Japanese system (LANG=ja_JP.UTF-8: Japanese texts, code page
// 932): the Japanese template (found by its caption; its texts are the
// release check's part) with every text shown whole, its messages, and flags
// with double-byte characters.
#include "quillet_host.h"

namespace quillettest {
namespace {

TEST_F(QuilletTest, JapaneseDialogShowsItsTextsAndKeepsDoubleByteCharactersOfTheFlags) {
  // "ト" is 0x83 0x67 in code page 932: its second byte is an ASCII "g".
  QuilletHost host(L"quillet_japanese", "[#0001]\r\nLyric=\x82\xA0\r\nNoteNum=60\r\nFlags=\x83\x67" "5\r\n");
  HWND dialog = host.open({{kRangeLow, L"3"}}, L"フラグを段階的に変更");
  ASSERT_NE(dialog, nullptr);
  EXPECT_THAT(clippedTexts(dialog), testing::IsEmpty());
  pressAlt(dialog, L'r');
  EXPECT_EQ(answerMessage(host, dialog), L"上の欄に設定の名前を入力するか、一覧から選んでください。");
  ASSERT_TRUE(click(dialog, kApply));
  EXPECT_EQ(host.close(dialog, IDOK), 0u);
  EXPECT_EQ(fileText(host.plugin), "[#0001]\r\nFlags=\x83\x67" "5g3\r\n");
}

}  // namespace
}  // namespace quillettest
