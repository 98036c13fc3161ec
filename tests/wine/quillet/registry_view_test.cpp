// quillet's settings in the registry. Under WoW64 the registry has a 32-bit
// and a 64-bit view; HKEY_CURRENT_USER\Software is one key in both, so what
// the i686 quillet stores must be what a 64-bit program sees, and the other
// way round. The i686 dialog cannot open under Wine 8's WoW64, so this 32-bit
// test writes through quillet's own store code; the x86_64 quillet restores
// that state as the next start does (the stored scale wins over the
// selection's), and what its OK saves is read back here byte by byte.
#include "storage/configuration_store.h"
#include "quillet_host.h"

namespace quillettest {
namespace {

// The bytes of the number as this x86 program holds it: little-endian.
std::string le32(int32_t n) { return std::string(reinterpret_cast<const char*>(&n), 4); }

std::string record(bool empty, int32_t note, int32_t value) {
  return std::string(1, empty ? '\1' : '\0') + std::string(3, '\0') + le32(note) + le32(value);
}

TEST_F(QuilletTest, SettingsCrossTheRegistryViewsInTheirByteLayout) {
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

  QuilletHost host(L"quillet_registry_view", kSong);
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

  type(dialog, kHighNote, L"E4");
  ASSERT_TRUE(click(dialog, kApply));
  typeInRow(dialog, 0, L"20");
  typeInRow(dialog, 1, L"");
  SetWindowPos(dialog, nullptr, 60, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  GetWindowRect(dialog, &window);
  EXPECT_EQ(host.close(dialog, IDOK), 0u);
  struct Expected { const wchar_t* name; DWORD type; std::string bytes; } values[] = {
      {L"Flag", REG_SZ, std::string("y\0\0\0", 4)},
      {L"ScaleLow", REG_DWORD, le32(60)},
      {L"ScaleHigh", REG_DWORD, le32(64)},
      {L"RangeLow", REG_DWORD, le32(-3)},
      {L"RangeHigh", REG_DWORD, le32(12)},
      {L"Values", REG_BINARY, record(false, 60, -3) + record(false, 61, 1) + record(false, 62, 5) +
                                  record(true, 63, 8) + record(false, 64, 20)},  // a cleared row keeps its number
      {L"WindowPos", REG_BINARY, le32(window.left) + le32(window.top) + le32(window.right) + le32(window.bottom)},
  };
  for (const Expected& e : values) {
    RegistryValue value = readValue(L"", e.name);
    EXPECT_EQ(value.type, e.type) << std::string(e.name, e.name + wcslen(e.name));
    EXPECT_EQ(value.bytes, e.bytes) << std::string(e.name, e.name + wcslen(e.name));
  }
}

}  // namespace
}  // namespace quillettest
