#include <gtest/gtest.h>

#include "project/find_sample.h"

namespace sondrel {
namespace {

// The bank of the lookup examples: prefix map 60 -> suffix _H, aliases ka and
// ka_H, file keys ka.wav and ki.wav; each entry holds its key as its file.
TEST(FindSample, FollowsTheFallbackOrder) {
  Project project;
  project.prefixMap[60] = PrefixEntry{60, "", "_H"};
  for (const char* key : {"ka", "ka_H", "ka.wav", "ki.wav", "x_H.wav", "_H"}) project.voiceBank[key].file = key;
  struct Case { const char* lyric; int32_t noteNum; const char* expected; } cases[] = {
      {"ka", 60, "ka_H"}, {"ka", 62, "ka"}, {"?ka", 60, "ka"}, {"ki", 60, "ki.wav"}, {"x", 60, "x_H.wav"},
      {"ka.wav", 60, "ka.wav"}, {"", 60, "_H"}, {"?ki", 62, "ki.wav"}, {"ko", 60, nullptr}, {"?", 62, nullptr},
  };
  for (const Case& c : cases) {
    Note note;
    note.lyric = c.lyric;
    note.noteNum = c.noteNum;
    const OtoEntry* found = findSample(project, note);
    std::string name = std::string("lyric ") + c.lyric + " at " + std::to_string(c.noteNum);
    if (c.expected == nullptr) {
      EXPECT_EQ(found, nullptr) << name << " found " << found->file;
    } else {
      ASSERT_NE(found, nullptr) << name;
      EXPECT_EQ(found->file, c.expected) << name;
    }
  }
}

}  // namespace
}  // namespace sondrel
