#include "project/prefix_map.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace sondrel {
namespace {

TEST(NoteNumberFromName, ReadsSharpNamesAndOctaves) {
  struct Case { const char* name; int32_t expected; } cases[] = {
      {"C0", 12}, {"A#3", 58}, {"C10", 132}, {"C4x", 60}, {"Db4", 0}, {"c4", 0}, {"C", 0}, {"C-1", 0}, {" C4", 0},
      {"C#04", 61}, {"B99999999999", INT32_MAX},
  };
  for (const Case& c : cases) EXPECT_EQ(noteNumberFromName(c.name), c.expected) << "name: " << c.name;
}

TEST(LoadPrefixMapText, SplitsAtTheFirstTwoTabs) {
  struct Case { const char* line; int32_t noteNum; const char* prefix; const char* suffix; } cases[] = {
      {"C4\t\t_H", 60, "", "_H"}, {"A#3\tx\t", 58, "x", ""}, {"D4\tp\ts\tmore\t", 62, "p", "s\tmore\t"},
      {"Db4\ty\tz", 0, "y", "z"}, {"E4\tp\ts\r\n", 64, "p", "s"}, {"F4\tp\ts\r", 65, "p", "s\r"},
  };
  for (const Case& c : cases) {
    PrefixMap map;
    loadPrefixMapText(map, c.line);
    ASSERT_EQ(map.size(), 1u) << "line: " << c.line;
    const PrefixEntry& entry = map.begin()->second;
    EXPECT_EQ(map.begin()->first, c.noteNum) << "line: " << c.line;
    EXPECT_EQ(entry.prefix, c.prefix) << "line: " << c.line;
    EXPECT_EQ(entry.suffix, c.suffix) << "line: " << c.line;
  }
}

TEST(LoadPrefixMapText, SkipsLinesWithoutTwoTabsAndLetTheLastLineWin) {
  PrefixMap map;
  loadPrefixMapText(map, "C4\tonly one tab\nno tabs\n\nC4\ta\tb\nC4\tc\td");
  ASSERT_EQ(map.size(), 1u);
  EXPECT_EQ(map.at(60).prefix, "c");
  EXPECT_EQ(map.at(60).suffix, "d");
}

}  // namespace
}  // namespace sondrel
