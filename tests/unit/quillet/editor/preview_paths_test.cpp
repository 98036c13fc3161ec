#include "editor/preview_paths.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace quillet {
namespace {

TEST(PreviewPaths, NameTheCopyAndTheModificationBesideThePluginFile) {
  struct Case { const wchar_t* plugin; int attempt; const wchar_t* copy; const wchar_t* temp; } cases[] = {
      {L"C:\\h\\temp\\t1.tmp", 0, L"C:\\h\\temp\\t1.ust", L"C:\\h\\temp\\quillet_temp.ust"},
      {L"C:\\h\\temp\\t1.tmp", 1, L"C:\\h\\temp\\t1_2.ust", L"C:\\h\\temp\\quillet_temp_2.ust"},
      {L"C:\\a.b\\song", 0, L"C:\\a.b\\song.ust", L"C:\\a.b\\quillet_temp.ust"},
      {L"C:\\a\\song.x.ust", 0, L"C:\\a\\song.x.ust", L"C:\\a\\quillet_temp.ust"},
      {L"C:t1", 0, L"C:t1.ust", L"C:quillet_temp.ust"},
  };
  for (const Case& c : cases) {
    std::string name(c.plugin, c.plugin + wcslen(c.plugin));
    EXPECT_EQ(previewCopyPath(c.plugin, c.attempt), c.copy) << name;
    EXPECT_EQ(previewTempPath(c.plugin, c.attempt), c.temp) << name;
  }
}

}  // namespace
}  // namespace quillet
