#include "planning/tool_parameters.h"

#include <gtest/gtest.h>

namespace sondrel {
namespace {

TEST(FormatNoteName, NamesEveryOctaveAndContinuesBelowZero) {
  struct Case { int32_t noteNum; const char* name; } cases[] = {
      {0, "C-1"}, {60, "C4"}, {66, "F#4"}, {69, "A4"}, {127, "G9"}, {11, "B-1"},
      {-1, "B-2"}, {-12, "C-2"}, {-13, "B-3"}, {INT32_MIN, "E-178956972"}, {INT32_MAX, "G178956969"},
  };
  for (const Case& c : cases) EXPECT_EQ(formatNoteName(c.noteNum), c.name) << "note " << c.noteNum;
}

TEST(FormatCacheName, FlattensTheSamplePathAndCutsAtTheLastDot) {
  struct Case { int32_t index; const char* file; const char* lyric; int32_t noteNum; int32_t length; const char* name; } cases[] = {
      {3, "a.wav", nullptr, 60, 550, "3_a_C4_550.wav"},
      {0, "sub\\ka.wav", nullptr, 62, 600, "0_sub_ka_D4_600.wav"},
      {5, nullptr, "a", 57, 300, "5_a_A3_300.wav"},
      {1, "a\\b\\c.wav", nullptr, 60, 400, "1_a_b_c_C4_400.wav"},
      {2, "noext", nullptr, 60, 400, "2_noext_C4_400.wav"},
      {2, "v1.0\\ka", nullptr, 60, 400, "2_v1_C4_400.wav"},
      {4, nullptr, "", 60, 50, "4__C4_50.wav"},
  };
  for (const Case& c : cases) {
    OtoEntry entry;
    Note note;
    note.noteNum = c.noteNum;
    if (c.file) entry.file = c.file;
    if (c.lyric) note.lyric = c.lyric;
    EXPECT_EQ(formatCacheName(c.index, c.file ? &entry : nullptr, note, c.length), c.name)
        << "file " << (c.file ? c.file : "(none)") << ", lyric " << (c.lyric ? c.lyric : "(none)");
  }
}

TEST(FormatFlags, EscapesDAndEInEitherCase) {
  struct Case { const char* flags; const char* text; } cases[] = {
      {"g-5", "g-5"}, {"BRE50", "BR/E50"}, {"Y0H10e", "Y0H10/e"}, {"DE", "/D/E"}, {"", ""}, {"dd", "/d/d"},
  };
  for (const Case& c : cases) EXPECT_EQ(formatFlags(c.flags), c.text) << "flags " << c.flags;
}

TEST(FormatTempoArg, RoundsToSinglePrecision) {
  struct Case { double tempo; const char* text; } cases[] = {
      {120.0, "!120.000000"}, {145.5, "!145.500000"}, {0.5, "!0.500000"}, {120.1, "!120.099998"},
      {1e300, "!340282346638528859811704183484516925440.000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(formatTempoArg(c.tempo), c.text) << "tempo " << c.tempo;
}

TEST(FormatLengthArg, TicksTempoAndSignedAdjustment) {
  struct Case { double pre; double nextPre; double nextOverlap; const char* text; } cases[] = {
      {60, 80, 30, "480@120.00+10.000"},
      {60, 80, 7.5, "480@120.00-12.500"},
      {60, 0, 0, "480@120.00+60.000"},
      {0, 0.0004, 0, "480@120.00-0.000"},
      {0, 0, 0, "480@120.00+0.000"},
  };
  for (const Case& c : cases) {
    Note note;
    note.length = 480;
    note.effectivePreUtterance = c.pre;
    note.nextPreUtterance = c.nextPre;
    note.nextOverlap = c.nextOverlap;
    EXPECT_EQ(formatLengthArg(note), c.text) << "pre " << c.pre << ", next " << c.nextPre << "/" << c.nextOverlap;
  }
}

TEST(FormatLengthArg, DirectSampleInMilliseconds) {
  Note note;
  note.length = 480;
  note.direct = "x";
  note.effectivePreUtterance = 60;
  note.nextOverlap = 30;
  note.nextPreUtterance = 80;
  EXPECT_EQ(formatLengthArg(note), "510.000000");
  note.tempo = 0;
  EXPECT_EQ(formatLengthArg(note), "10.000000") << "no tempo: the note itself lasts 0 ms";
}

TEST(FormatEnvelope, EighthValueIsAlwaysTheOverlap) {
  struct Case { const char* envelope; const char* text; } cases[] = {
      {"0,5,35,0,100,100,0", "0 5 35 0 100 100 0 30.000000"},
      {"0,5,35,0,100,100,0,%,0", "0 5 35 0 100 100 0 30.000000 0"},
      {"0,5,35,0,100,100,0,%,0,0,100", "0 5 35 0 100 100 0 30.000000 0 0 100"},
      {"0,5,35,0,100,100,0,12", "0 5 35 0 100 100 0 30.000000"},
      {"0,5,35,0,100,100,0,", "0 5 35 0 100 100 0 30.000000"},
      {"0,5,35,0,100", "0 5 35 0 100"},
      {"", ""},
      // Beyond eleven values the rest is dropped, the same for both back ends.
      {"0,5,35,0,100,100,0,%,0,0,100,7,8", "0 5 35 0 100 100 0 30.000000 0 0 100"},
      {"0,5,35,0,100,100,0,%,0,0,100,", "0 5 35 0 100 100 0 30.000000 0 0 100"},
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
