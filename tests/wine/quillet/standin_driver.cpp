// The user's side of standin_preview.sh: while the host stand-in runs quillet
// on the bundled example, this program sets a graded flag, previews it
// through the real sondrel and the reference tool libraries, and confirms
// with OK. QUILLET_STANDIN_HOST names the host directory, QUILLET_STANDIN_LOG
// the tools' call log.
#include "quillet_host.h"

namespace quillettest {
namespace {

using testing::Contains;
using testing::HasSubstr;
using testing::Not;

std::wstring environment(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  GetEnvironmentVariableW(name, value, MAX_PATH);
  return value;
}

TEST_F(QuilletTest, RealSondrelPreviewsTheChangesAndOkWritesThem) {
  std::wstring temp = environment(L"QUILLET_STANDIN_HOST") + L"\\temp", log = environment(L"QUILLET_STANDIN_LOG");
  HWND dialog = findDialog(0, kCaption, 60000);
  ASSERT_NE(dialog, nullptr) << "the host stand-in did not start quillet";
  type(dialog, kRangeHigh, L"14");
  ASSERT_TRUE(click(dialog, kApply));
  bool previewed = click(dialog, kPlay, 150000);
  std::vector<std::string> calls = logLines(log, "resampler");
  EXPECT_TRUE(previewed) << "the preview did not end";
  // The flags of the notes C4 D4 E4 G4 E4 D4 C4 after the merge, as the
  // resampler receives them (sondrel puts a "/" before D and E).
  for (const char* flags : {"|g0|", "|g4|", "|g8|", "|BR/E50g14|", "|Y0H10/eg0|"})
    EXPECT_THAT(calls, Contains(HasSubstr(flags))) << "no note was rendered with the flags " << flags;
  EXPECT_THAT(calls, Not(Contains(HasSubstr("g-5")))) << "a note kept its old flags in the preview";
  pressButton(dialog, previewed && !HasFailure() ? IDOK : IDCANCEL);
  ASSERT_TRUE(waitWindowGone(dialog));
  Sleep(500);
  EXPECT_EQ(fileText(temp + L"\\plugin.tmp"),
            "[#0000]\r\nFlags=g0\r\n[#0001]\r\nFlags=g4\r\n[#0002]\r\n[#0003]\r\nFlags=g8\r\n"
            "[#0004]\r\nFlags=BRE50g14\r\n[#0005]\r\nFlags=g8\r\n[#0006]\r\nFlags=g4\r\n[#0007]\r\n"
            "[#0008]\r\nFlags=Y0H10eg0\r\n");
}

}  // namespace
}  // namespace quillettest
