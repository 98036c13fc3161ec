// quillet's settings as the 32-bit build writes them. Under WoW64 the
// registry has a 32-bit and a 64-bit view; HKEY_CURRENT_USER\Software is one
// key in both, so what the i686 quillet stores must be what a 64-bit program
// sees. The i686 dialog cannot open under Wine 8's WoW64, so this 32-bit test
// writes through quillet's own store code and the x86_64 quillet reads, as
// the next start of quillet restores the state of the last OK: the stored
// scale wins over the selection's.
#include "storage/configuration_store.h"
#include "quillet_host.h"

namespace quillettest {
namespace {

TEST_F(QuilletTest, SettingsOfThe32BitBuildAreWhereThe64BitViewAndQuilletFindThem) {
  BOOL wow64 = FALSE;
  ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64) && wow64) << "this test must run as a 32-bit process";
  quillet::Settings settings;
  settings.flag = L"y";
  settings.scale = {60, 62};
  settings.rangeLow = -3;
  settings.rangeHigh = 12;
  settings.values = {{false, 60, -3}, {true, 61, 0}, {false, 62, 20}};
  quillet::saveMainKey({40, 50, 400, 500}, settings);
  ASSERT_TRUE(quillet::saveConfiguration(L"mine", settings));

  QuilletHost host(L"quillet_registry_view", "[#0001]\r\nNoteNum=50\r\n");
  ASSERT_TRUE(copyFile(twinBuildDir() + L"\\quillet.exe", host.root + L"\\plugins\\sondrel\\quillet.exe"));
  HWND dialog = host.open();
  ASSERT_NE(dialog, nullptr) << "the x86_64 quillet did not open";
  RECT window;
  GetWindowRect(dialog, &window);
  EXPECT_EQ(window.left, 40);
  EXPECT_EQ(window.top, 50);
  EXPECT_EQ(controlText(dialog, kFlag), L"y");
  EXPECT_EQ(controlText(dialog, kRangeLow), L"-3");
  EXPECT_THAT(rows(dialog), testing::ElementsAre(L"D4=20", L"C#4=", L"C4=-3"));
  EXPECT_EQ(SendDlgItemMessageW(dialog, kConfigurations, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>(L"mine")),
            0)
      << "the configuration is listed";
  EXPECT_EQ(host.close(dialog, IDCANCEL), 0u);
}

}  // namespace
}  // namespace quillettest
