#include "planning/pitch_curve.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "planning/pitch_string.h"
#include "resampler/pitch_string.h"

namespace sondrel {
namespace {

Note sung(int32_t noteNum, double preUtterance = 0, double overlap = 0, double tempo = 120) {
  Note note;
  note.lyric = "a";
  note.noteNum = noteNum;
  note.length = 480;
  note.tempo = tempo;
  note.preUtterance = note.effectivePreUtterance = preUtterance;
  note.voiceOverlap = note.effectiveOverlap = overlap;
  return note;
}

void link(std::vector<Note>& notes) {
  for (size_t i = 0; i + 1 < notes.size(); ++i) {
    notes[i].next = &notes[i + 1];
    notes[i + 1].prev = &notes[i];
  }
}

// The array as runs "value x count", which keeps the expectations readable.
std::string runs(const std::vector<int32_t>& values) {
  std::string text;
  for (size_t i = 0, j = 0; i < values.size(); i = j) {
    while (j < values.size() && values[j] == values[i]) ++j;
    text += std::to_string(values[i]) + "x" + std::to_string(j - i) + " ";
  }
  return text;
}

TEST(BuildPitchArray, AloneAndBetweenTwoRealNeighbours) {
  // The previous pitch is not carried into the note's own curve unless its
  // bend starts there; from the next note's start index on the array holds
  // the next note's pitch, earlier when the next bend starts in its
  // pre-utterance; relative pitches are clamped to 12 bits.
  struct Case { int32_t prev; const char* pbs; int32_t next; const char* nextPbs; const char* runs; } cases[] = {
      {0, "", 0, "", "0x107 "},  // no neighbours
      {62, "", 64, "", "0x106 400x5 "},
      {62, "", 64, "-30", "0x99 400x12 "},
      {90, "-40", 10, "", "2047x1 0x105 -2048x5 "},
  };
  for (const Case& c : cases) {
    std::vector<Note> notes = {sung(c.prev), sung(60, 50), sung(c.next, 40, 20)};
    notes[1].pbs = c.pbs;
    notes[2].pbs = c.nextPbs;
    if (c.prev != 0) link(notes);
    CurveCache curves;
    EXPECT_EQ(runs(buildPitchArray(notes[1], curves)), c.runs) << "PBS=" << c.pbs << ", next PBS=" << c.nextPbs;
  }
}

TEST(BuildPitchString, ModeTwoEncodesTheArray) {
  Note note = sung(60, 50);
  CurveCache curves;
  EXPECT_EQ(buildPitchString(note, true, curves), "AA#106#");
}

TEST(BuildPitchArray, NeighboursAtAnotherTempoUseTheRenderedTempoGrid) {
  std::vector<Note> notes = {sung(62, 0, 0, 60), sung(60, 50), sung(64, 40, 20, 240)};
  link(notes);
  CurveCache curves;
  buildPitchArray(notes[1], curves);
  EXPECT_EQ(curves.find(notes[0])->samples.size(), 193u) << "1000 ms at 120 BPM: 192 steps";
  EXPECT_EQ(curves.find(notes[2])->samples.size(), 56u) << "250 ms + 40 ms pre-utterance: 278 ticks";
}

TEST(BuildPitchArray, DegenerateTempoAndHugeLengthsStayBounded) {
  struct Case { const char* name; double tempo; int32_t length; size_t size; } cases[] = {
      {"tempo 0", 0, 480, 2}, {"tiny tempo", 1e-300, 480, 98},
      {"beyond the bound", DBL_MAX, INT32_MAX, kMaxCurveEntries + 2},
  };
  for (const Case& c : cases) {
    Note note = sung(60, 0, 0, c.tempo);
    note.length = c.length;
    note.pbs = "0";
    note.pbw = "1e12,1e12,1e12";
    note.vbr = "50";
    CurveCache curves;
    EXPECT_EQ(buildPitchArray(note, curves).size(), c.size) << c.name;
    EXPECT_LE(curves.find(note)->samples.size(), static_cast<size_t>(kMaxCurveEntries) + 1) << c.name;
  }
}

// A curve built again would come in storage of its own.
TEST(CurveCache, BuildsACurveOncePerTempo) {
  std::vector<Note> notes = {sung(62), sung(60, 50), sung(64, 40, 20)};
  link(notes);
  CurveCache curves;
  buildPitchArray(notes[1], curves);
  ASSERT_NE(curves.find(notes[2]), nullptr);
  const double* built = curves.find(notes[2])->samples.data();
  const size_t samples = curves.find(notes[2])->samples.size();
  buildPitchArray(notes[2], curves);
  EXPECT_EQ(curves.find(notes[2])->samples.data(), built) << "the next note's own array reuses its curve";
  const NoteCurve& slower = curves.curveOf(notes[2], 60);
  EXPECT_EQ(slower.tempo, 60);
  EXPECT_NE(slower.samples.size(), samples) << "another tempo builds it again";
}

TEST(BuildBend, HoldsItsStartHeightFromThePreUtterance) {
  std::vector<Note> notes = {sung(60), sung(60, 60)};
  notes[0].lyric = "R";
  notes[1].pbs = "-50;20";
  notes[1].pbw = "100";
  notes[1].pbm = "s";
  link(notes);
  CurvePiece bend = buildBend(notes[1], 120);
  EXPECT_EQ(bend.start, -60);
  // 10 ms at 120 BPM are 9.6 ticks: 9 held samples, then 96 falling to 0.
  ASSERT_EQ(bend.samples.size(), 105u);
  EXPECT_EQ(bend.samples[9], 20);
  EXPECT_EQ(bend.samples[9 + 48], 10);
  notes[0].lyric = "a";
  notes[0].noteNum = 63;
  EXPECT_EQ(buildBend(notes[1], 120).samples[0], 30) << "a sung previous note sets the start height";
}

TEST(BuildBend, SegmentShapes) {
  // At 125 BPM one tick lasts 1 ms: a 10 ms segment has 10 samples.
  struct Case { const char* pbw; const char* pby; const char* pbm; size_t size; size_t at; double value; } cases[] = {
      {"10", "10", "", 10, 5, 5},
      {"10", "10", "s", 10, 3, 3},
      {"10", "10", "r", 10, 5, 10 * std::sin(M_PI / 4)},
      {"10", "10", "j", 10, 5, 10 - 10 * std::sin(M_PI / 4)},
      {"10,10", "10,20", "S,s", 10, 0, 10},  // unknown shape: no samples, the next starts earlier
      {"10,10", "10,20", ",s", 20, 15, 15},
      {"10,10", "10", "s,s", 20, 15, 5},  // PBY= exhausted: falls to 0
      {"1e12,1e12", "1,2", "s", kMaxCurveTicks, 0, 0},
  };
  for (const Case& c : cases) {
    Note note = sung(60);
    note.pbs = "0";
    note.pbw = c.pbw;
    note.pby = c.pby;
    note.pbm = c.pbm;
    CurvePiece bend = buildBend(note, 125);
    std::string name = std::string("PBW=") + c.pbw + " PBY=" + c.pby + " PBM=" + c.pbm;
    ASSERT_EQ(bend.samples.size(), c.size) << name;
    EXPECT_NEAR(bend.samples[c.at], c.value, 1e-9) << name;
  }
}

TEST(BuildVibrato, FadesPhaseCentreShiftAndBounds) {
  // 480 ticks at 125 BPM: 480 ms, one sample per ms; 65 % of it is 312 ms.
  // Outside its range or with a cycle of 0 there is no vibrato.
  struct Case { const char* vbr; size_t size, at; double value; } cases[] = {
      {"65", 313, 100, std::sin(100 * 2 * M_PI / 180) * 3.5},
      {"65", 313, 312, 0},
      {"65,180,35,20,20,25,50", 313, 100, (std::sin(55 * 2 * M_PI / 180) * 35 + 17.5) / 10},
      {"65,180,35,-20,20,25,50", 313, 31, (std::sin(-14 * 2 * M_PI / 180) * 35 + 17.5) * 31 / 62.4 / 10},
      {"", 0, 0, 0}, {"0", 0, 0, 0}, {"100", 0, 0, 0}, {"65,0", 0, 0, 0},
  };
  for (const Case& c : cases) {
    Note note = sung(60, 0, 0, 125);
    note.vbr = c.vbr;
    CurvePiece vibrato = buildVibrato(note, 125);
    ASSERT_EQ(vibrato.samples.size(), c.size) << "VBR=" << c.vbr;
    if (c.size == 0) continue;
    EXPECT_EQ(vibrato.start, 168) << c.vbr;
    EXPECT_NEAR(vibrato.samples[c.at], c.value, 1e-9) << c.vbr << " at " << c.at;
  }
  Note huge = sung(60, 0, 0, DBL_MAX);
  huge.length = INT32_MAX;
  huge.vbr = "50";
  EXPECT_EQ(buildVibrato(huge, DBL_MAX).samples.size(), static_cast<size_t>(kMaxCurveTicks));
}

TEST(AddAveraged, AddsMeansOfCompleteGroupsUpToTheCurveEnd) {
  std::vector<double> curve(3, 1.0);
  addAveraged(curve, 0, 125, CurvePiece{{1, 2, 3, 4, 5, 10, 10, 10, 10, 10, 7, 7, 7, 7, 7, 9, 9}, 5});
  EXPECT_EQ(curve, (std::vector<double>{1, 4, 11}));
}

// The pitch string is written by the planner and read by the reference
// resampler: both directions run on one table where the text is canonical.
TEST(PitchString, EncodedByThePlannerAndDecodedByTheTool) {
  enum Direction { kBoth, kEncodeOnly, kDecodeOnly };
  struct Case { const char* name; std::vector<int32_t> values; const char* text; Direction direction; } cases[] = {
      {"worked example", {0, 0, 0, 0, 5, 5, -1, 2047, -2048}, "AA#3#AFAF//f/gA", kBoth},
      {"run at the end", {0, 0, 10, 10, 10}, "AAAAAK#2#", kBoth},
      {"negative run", {-100, -100, -100, -50, 0}, "+c#2#/OAA", kBoth},
      {"single value", {7}, "AH", kBoth},
      {"none", {}, "", kBoth},
      {"two equal values", {3, 3}, "ADAD", kBoth},
      {"low 12 bits only", {4096, -4097, INT32_MIN}, "AA//AA", kEncodeOnly},
      {"repeat of 0", {0, 1}, "AA#0#AB", kDecodeOnly},
      {"repeat up to the limit", std::vector<int32_t>(reftools::kMaxPitchValues, 0), "AA#1048575#", kDecodeOnly},
  };
  for (const Case& c : cases) {
    if (c.direction != kDecodeOnly) EXPECT_EQ(encodePitchValues(c.values), c.text) << c.name;
    if (c.direction == kEncodeOnly) continue;
    std::vector<int32_t> values = {99};
    std::string error;
    EXPECT_TRUE(reftools::decodePitchString(c.text, values, error)) << c.name << ": " << error;
    EXPECT_EQ(values, c.values) << c.name;
  }
}

TEST(PitchString, ToolRefusesMalformedText) {
  for (const char* text : {"A", "A=", "A A", "#2#", "AA#", "AA##", "AA#-2#", "AA#2x#", "AA#1048576#",
                           "AA#18446744073709551617#"}) {
    std::vector<int32_t> values;
    std::string error;
    EXPECT_FALSE(reftools::decodePitchString(text, values, error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}

TEST(BuildPitchString, WithoutModeTwoReadsPitchesLikeAtoi) {
  struct Case { const char* pitches; const char* text; } cases[] = {
      {"0,0,0", "AA#2#"}, {"1,2,3,", "ABACAD"}, {"1,,2", "ABAAAC"}, {" -1, +1,x", "//ABAA"}, {"99999999999", "//"},
  };
  for (const Case& c : cases) {
    Note note;
    note.pitches = c.pitches;
    CurveCache curves;
    EXPECT_EQ(buildPitchString(note, false, curves), c.text) << "Pitches=" << c.pitches;
  }
}

}  // namespace
}  // namespace sondrel
