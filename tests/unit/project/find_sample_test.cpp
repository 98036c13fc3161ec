#include <gtest/gtest.h>

#include "project/project.h"

namespace sondrel {
namespace {

// The bank of the lookup examples: prefix map 60 -> suffix _H, aliases ka and
// ka_H, file keys ka.wav and ki.wav, each entry told apart by its file.
void fillBank(Project& project) {
  project.prefixMap[60] = PrefixEntry{60, "", "_H"};
  project.voiceBank["ka"].file = "alias ka";
  project.voiceBank["ka_H"].file = "alias ka_H";
  project.voiceBank["ka.wav"].file = "file ka.wav";
  project.voiceBank["ki.wav"].file = "file ki.wav";
  project.voiceBank["x_H.wav"].file = "file x_H.wav";
  project.voiceBank["_H"].file = "empty lyric";
}

TEST(FindSample, FollowsTheFallbackOrder) {
  struct Case { const char* lyric; int32_t noteNum; const char* expected; } cases[] = {
      {"ka", 60, "alias ka_H"},
      {"ka", 62, "alias ka"},
      {"?ka", 60, "alias ka"},
      {"ki", 60, "file ki.wav"},
      {"x", 60, "file x_H.wav"},
      {"ka.wav", 62, "file ka.wav"},
      {"ka.wav", 60, "file ka.wav"},
      {"", 60, "empty lyric"},
      {"?ki", 62, "file ki.wav"},
      {"ko", 60, nullptr},
      {"?", 62, nullptr},
  };
  Project project;
  fillBank(project);
  for (const Case& c : cases) {
    Note note;
    note.lyric = c.lyric;
    note.noteNum = c.noteNum;
    const OtoEntry* found = findSample(project, note);
    if (c.expected == nullptr) {
      EXPECT_EQ(found, nullptr) << "lyric " << c.lyric << " at " << c.noteNum << " found " << found->file;
    } else {
      ASSERT_NE(found, nullptr) << "lyric " << c.lyric << " at " << c.noteNum;
      EXPECT_EQ(found->file, c.expected) << "lyric " << c.lyric << " at " << c.noteNum;
    }
  }
}

}  // namespace
}  // namespace sondrel
