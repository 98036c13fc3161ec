// Play: quillet starts the sondrel.exe beside it on a copy of the plug-in
// file and a modification file, waits without freezing, removes both files
// afterwards and the leftovers of earlier previews before; what it previewed
// never reaches OK's output unless the dialog still shows it. The recording
// stand-in (sondrel_recorder.cpp) plays sondrel.
#include "quillet_host.h"

namespace quillettest {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::UnorderedElementsAre;

TEST_F(QuilletTest, PlayPreviewsOnACopyAndOkWritesOnlyWhatTheDialogShows) {
  QuilletHost host(L"quillet_play", kSong);
  host.install(L"tests\\wine\\quillet\\sondrel_recorder.exe");
  // Left by previews that were ended early (-3600 s) or by one running now
  // (+3600 s); t1.ust is not empty, so it may be a song of the user's.
  struct Left { const wchar_t* name; const char* bytes; int age; } left[] = {
      {L"t1.ust", "mine", -3600}, {L"t1_2.ust", "", -3600}, {L"t1_4.ust", "", -3600},
      {L"quillet_temp.ust", "[#0003]", -3600}, {L"quillet_temp_3.ust", "", 3600}};
  for (const Left& file : left) {
    writeFile(host.work + L"\\" + file.name, file.bytes);
    setWriteTime(host.work + L"\\" + file.name, file.age);
  }
  HWND dialog = host.open({{kRangeHigh, L"4"}});
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(click(dialog, kApply));
  ASSERT_TRUE(click(dialog, kPlay, 60000)) << "Play did not return";
  std::wstring command = L"\"" + host.root + L"\\plugins\\sondrel\\sondrel.exe\" \"" + host.work + L"\\t1_2.ust\" \"/m:" +
                         host.work + L"\\quillet_temp.ust\"";
  EXPECT_THAT(host.calls(""), ElementsAre("command|" + std::string(command.begin(), command.end()), "held|1",
                                          "responding|1", "enabled|0"))
      << "one run, with the modification file kept from other quillets' clean-up and the dialog disabled but "
         "painted; the second Play was ignored";
  EXPECT_EQ(fileText(host.log + L".copy"), kSong);
  EXPECT_EQ(fileText(host.log + L".modification"),
            "[#0003]\r\nFlags=B40g0\r\n[#0004]\r\n[#0005]\r\nFlags=g4Y0\r\n[#0006]\r\nFlags=g2\r\n[#0007]\r\n[#0008]\r\n");
  EXPECT_THAT(filesIn(host.work, L"*.ust"), UnorderedElementsAre(L"t1.ust", L"quillet_temp_3.ust"));
  EXPECT_EQ(fileText(host.plugin), kSong) << "Play does not touch the plug-in file";
  type(dialog, kFlag, L"Y");
  ASSERT_TRUE(click(dialog, kApply));
  EXPECT_EQ(host.close(dialog, IDOK), 0u);
  EXPECT_EQ(fileText(host.plugin),
            "[#0003]\r\nFlags=B40Y0\r\n[#0004]\r\n[#0005]\r\nFlags=g-5Y4\r\n[#0006]\r\nFlags=Y2\r\n[#0007]\r\n[#0008]\r\n")
      << "nothing of the preview's g";
}

TEST_F(QuilletTest, PlayTellsWhatKeptItFromPreviewing) {
  struct Case { const char* name; bool sondrel, longFolder, namesTaken; const wchar_t* message; } cases[] = {
      {"no sondrel.exe", false, false, false, L"could not start sondrel (error 2)"},
      {"no room for the modification file's name", true, true, false, L"changed flags to a file (error 206)"},
      {"every name taken", true, false, true, L"no free name"},
  };
  for (const Case& c : cases) {
    QuilletHost host(L"quillet_play_fails", kSong);
    if (c.sondrel) host.install(L"tests\\wine\\quillet\\sondrel_recorder.exe");
    std::wstring folder = host.work;
    if (c.longFolder) {
      folder += L"\\" + std::wstring(247 - host.work.size(), L'f');
      CreateDirectoryW(folder.c_str(), nullptr);
      host.plugin = folder + L"\\t1.tmp";
      writeFile(host.plugin, kSong);
    }
    for (int n = 1; c.namesTaken && n <= 100; ++n)
      writeFile(host.work + L"\\t1" + (n == 1 ? L"" : L"_" + std::to_wstring(n)) + L".ust", "a song");
    HWND dialog = host.open();
    ASSERT_NE(dialog, nullptr) << c.name;
    pressButton(dialog, kPlay);
    EXPECT_THAT(answerMessage(host, dialog), HasSubstr(c.message)) << c.name;
    EXPECT_EQ(host.calls("command").size(), 0u) << c.name;
    EXPECT_EQ(filesIn(folder, L"*.ust").size(), c.namesTaken ? 100u : 0u) << c.name << ": the preview's files are gone";
    EXPECT_EQ(host.close(dialog, IDCANCEL), 0u) << c.name;
  }
}

}  // namespace
}  // namespace quillettest
