#include "planning/tool_parameters.h"

#include <gtest/gtest.h>

#include "format_cases.h"

namespace sondrel {
namespace {

TEST(FormatCases, SameTextAsTheWindowsBuild) {
  for (const format_cases::FormatCase& c : format_cases::table()) EXPECT_EQ(c.make(), c.expected) << c.name;
}

TEST(FormatNoteName, NamesEveryOctaveAndContinuesBelowZero) {
  struct Case { int32_t noteNum; const char* name; } cases[] = {
      {0, "C-1"}, {66, "F#4"}, {127, "G9"}, {-1, "B-2"}, {-12, "C-2"}, {INT32_MIN, "E-178956972"},
  };
  for (const Case& c : cases) EXPECT_EQ(formatNoteName(c.noteNum), c.name) << "note " << c.noteNum;
}

// A lyric without an entry stands for the sample; neither may name a file
// outside the cache directory, or a stream of a file in it.
TEST(FormatCacheName, FlattensTheSampleIntoAPlainFileNameCutAtTheLastDot) {
  struct Case { int32_t index; const char* file; const char* lyric; int32_t noteNum; int32_t length; const char* name; }
  cases[] = {
      {5, nullptr, "a", 57, 300, "5_a_A3_300.wav"},
      {1, "a\\b\\c.wav", "a", 60, 400, "1_a_b_c_C4_400.wav"}, {2, "noext", "a", 60, 400, "2_noext_C4_400.wav"},
      {2, "v1.0\\ka", "a", 60, 400, "2_v1_C4_400.wav"},
      {0, nullptr, "/../../../Music/take.x", 60, 550, "0__.._.._.._Music_take_C4_550.wav"},
      {0, nullptr, "C:take", 60, 550, "0_C_take_C4_550.wav"},
      {0, nullptr, "a*?\"<>|\x01\x1f\x7f~b", 60, 550, "0_a________\x7f~b_C4_550.wav"},
  };
  for (const Case& c : cases) {
    OtoEntry entry;
    Note note;
    note.lyric = c.lyric;
    note.noteNum = c.noteNum;
    if (c.file) entry.file = c.file;
    EXPECT_EQ(formatCacheName(c.index, c.file ? &entry : nullptr, note, c.length), c.name) << c.name;
  }
}

TEST(FormatFlags, EscapesDAndEInEitherCase) {
  struct Case { const char* flags; const char* text; } cases[] = {
      {"g-5", "g-5"}, {"BRE50", "BR/E50"}, {"Y0H10e", "Y0H10/e"}, {"DE", "/D/E"}, {"dd", "/d/d"},
  };
  for (const Case& c : cases) EXPECT_EQ(formatFlags(c.flags), c.text) << "flags " << c.flags;
}

TEST(FormatEnvelope, EighthValueIsAlwaysTheOverlap) {
  struct Case { const char* envelope; const char* text; } cases[] = {
      {"0,5,35,0,100,100,0", "0 5 35 0 100 100 0 30.000000"},
      {"0,5,35,0,100,100,0,%,0", "0 5 35 0 100 100 0 30.000000 0"},
      {"0,5,35,0,100,100,0,12", "0 5 35 0 100 100 0 30.000000"},
      {"0,5,35,0,100", "0 5 35 0 100"},
      {"", ""},
      // Beyond eleven values the rest is dropped, the same for both back ends.
      {"0,5,35,0,100,100,0,%,0,0,100,7,8", "0 5 35 0 100 100 0 30.000000 0 0 100"},
  };
  for (const Case& c : cases) {
    Note note;
    note.envelope = c.envelope;
    note.effectiveOverlap = 30;
    EXPECT_EQ(formatEnvelope(note), c.text) << "envelope " << c.envelope;
  }
}

}  // namespace
}  // namespace sondrel
