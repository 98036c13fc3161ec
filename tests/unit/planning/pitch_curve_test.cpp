#include "planning/pitch_curve.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "planning/pitch_string.h"

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

// Links neighbours as the project reader does.
void link(std::vector<Note>& notes) {
  for (size_t i = 0; i + 1 < notes.size(); ++i) {
    notes[i].next = &notes[i + 1];
    notes[i + 1].prev = &notes[i];
  }
}

// The array as runs "value x count", which keeps the expectations readable.
std::string runs(const std::vector<int32_t>& values) {
  std::string text;
  for (size_t i = 0; i < values.size();) {
    size_t j = i;
    while (j < values.size() && values[j] == values[i]) ++j;
    text += std::to_string(values[i]) + "x" + std::to_string(j - i) + " ";
    i = j;
  }
  return text;
}

TEST(BuildPitchArray, LoneNoteWithoutBend) {
  Note note = sung(60, 50);
  std::vector<int32_t> values = buildPitchArray(note);
  EXPECT_EQ(values.size(), 107u);
  EXPECT_EQ(runs(values), "0x107 ");
  EXPECT_EQ(note.curveStart, -50);
  EXPECT_EQ(note.curve.size(), 106u) << "105 zero entries and the closing 0";
  EXPECT_EQ(buildPitchString(note, 2), "AA#106#");
}

TEST(BuildPitchArray, BetweenTwoRealNeighbours) {
  std::vector<Note> notes = {sung(62), sung(60, 50), sung(64, 40, 20)};
  link(notes);
  // The previous pitch is not carried into the note's own curve; from the
  // next note's start index (106) on, the array holds the next note's pitch.
  EXPECT_EQ(runs(buildPitchArray(notes[1])), "0x106 400x5 ");
  EXPECT_EQ(buildPitchString(notes[1], 2), "AA#105#GQ#4#");
}

TEST(BuildPitchArray, NextNoteWithEarlyBendIsLaidEarlier) {
  std::vector<Note> notes = {sung(62), sung(60, 50), sung(64, 40, 20)};
  notes[2].pbs = "-30";
  link(notes);
  // The bend starts at the next note's pre-utterance (-40 ms), 8 steps
  // before its start, and rises from the rendered note's own pitch.
  EXPECT_EQ(runs(buildPitchArray(notes[1])), "0x99 400x12 ");
}

TEST(BuildPitchArray, NeighboursAtAnotherTempoUseTheRenderedTempoGrid) {
  std::vector<Note> notes = {sung(62, 0, 0, 60), sung(60, 50), sung(64, 40, 20, 240)};
  link(notes);
  buildPitchArray(notes[1]);
  // 1000 ms of the previous note at 120 BPM: 960 ticks, 192 steps.
  EXPECT_EQ(notes[0].curve.size(), 193u);
  EXPECT_EQ(notes[0].curveTempo, 120);
  // 250 ms of the next note plus its 40 ms pre-utterance: 278 ticks.
  EXPECT_EQ(notes[2].curve.size(), 56u);
  EXPECT_EQ(notes[2].curveTempo, 120);
}

TEST(BuildPitchArray, ClampsToTwelveBits) {
  std::vector<Note> notes = {sung(90), sung(60, 60), sung(10)};
  // The bend starts at the previous pitch, 30 semitones up.
  notes[1].pbs = "-50";
  link(notes);
  std::vector<int32_t> values = buildPitchArray(notes[1]);
  EXPECT_EQ(values.front(), 2047);
  EXPECT_EQ(values.back(), -2048);
}

TEST(BuildPitchArray, DegenerateTempoAndHugeLengthsStayBounded) {
  struct Case { const char* name; double tempo; int32_t length; size_t size; } cases[] = {
      {"tempo 0", 0, 480, 2},
      {"negative tempo", -120, 480, 2},
      {"tiny tempo", 1e-300, 480, 98},
      {"huge tempo", DBL_MAX, 480, 98},
      {"length beyond the bound", DBL_MAX, INT32_MAX, kMaxCurveEntries + 2},
  };
  for (const Case& c : cases) {
    Note note = sung(60, 0, 0, c.tempo);
    note.length = c.length;
    note.pbs = "0";
    note.pbw = "1e12,1e12,1e12";
    note.vbr = "50";
    std::vector<int32_t> values = buildPitchArray(note);
    EXPECT_EQ(values.size(), c.size) << c.name;
    EXPECT_LE(note.curve.size(), static_cast<size_t>(kMaxCurveEntries) + 1) << c.name;
  }
}

TEST(NoteCurve, BuiltOncePerTempo) {
  std::vector<Note> notes = {sung(62), sung(60, 50), sung(64, 40, 20)};
  link(notes);
  buildPitchArray(notes[1]);
  ASSERT_TRUE(notes[2].curveValid);
  ASSERT_EQ(notes[2].curveTempo, 120);
  // A marker in the next note's curve survives its own pitch array at the
  // same tempo: the curve is reused, not built again.
  notes[2].curve[0] = 99;
  buildPitchArray(notes[2]);
  EXPECT_EQ(notes[2].curve[0], 99);
  buildNoteCurve(notes[2], 60);
  EXPECT_NE(notes[2].curve[0], 99) << "another tempo rebuilds the curve";
  EXPECT_EQ(notes[2].curveTempo, 60);
}

TEST(NoteCurve, RestGetsNone) {
  Note rest = sung(60);
  rest.lyric = "R";
  buildNoteCurve(rest, 120);
  EXPECT_FALSE(rest.curveValid);
  EXPECT_TRUE(rest.curve.empty());
}

TEST(BuildBend, HoldsItsStartHeightFromThePreUtterance) {
  std::vector<Note> notes = {sung(60), sung(60, 60)};
  notes[0].lyric = "R";
  notes[1].pbs = "-50;20";
  notes[1].pbw = "100";
  notes[1].pby = "0";
  notes[1].pbm = "s";
  link(notes);
  CurvePiece bend = buildBend(notes[1], 120);
  EXPECT_EQ(bend.start, -60);
  EXPECT_EQ(notes[1].pbsStart, -50);
  // 10 ms at 120 BPM are 9.6 ticks: 9 held samples, then 96 straight ones.
  ASSERT_EQ(bend.samples.size(), 105u);
  EXPECT_EQ(bend.samples[8], 20);
  EXPECT_EQ(bend.samples[9], 20);
  EXPECT_EQ(bend.samples[9 + 48], 10);

  notes[0].lyric = "a";
  notes[0].noteNum = 63;
  EXPECT_EQ(buildBend(notes[1], 120).samples[0], 30) << "a sung previous note sets the start height";
}

TEST(BuildBend, SegmentShapes) {
  // At 125 BPM one tick lasts 1 ms, so a 10 ms segment has 10 samples.
  struct Case { const char* pbw; const char* pby; const char* pbm; size_t size; double at0; double at5; } cases[] = {
      {"10", "10", "", 10, 0, 5},
      {"10", "10", "s", 10, 0, 5},
      {"10", "10", "r", 10, 0, 10 * std::sin(M_PI / 4)},
      {"10", "10", "j", 10, 0, 10 - 10 * std::sin(M_PI / 4)},
      {"10,10", "10,20", "S,s", 10, 10, 15},
      {"10,10", "10,20", ",s", 20, 0, 5},
      {"10,10", "10", "s", 20, 0, 5},
      {"10,", "10", "s", 10, 0, 5},
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
    EXPECT_NEAR(bend.samples[0], c.at0, 1e-9) << name;
    EXPECT_NEAR(bend.samples[5], c.at5, 1e-9) << name;
  }
  Note falling = sung(60);
  falling.pbs = "0";
  falling.pbw = "10,10";
  falling.pby = "10";
  falling.pbm = "s,s";
  EXPECT_EQ(buildBend(falling, 125).samples[15], 5) << "an exhausted PBY= list falls to 0";
}

TEST(BuildBend, HostileWidthsStayWithinTheBound) {
  Note note = sung(60);
  note.pbs = "0";
  note.pbw = "1e12,1e12,1e12,1e12";
  note.pby = "1,2,3,4";
  EXPECT_EQ(buildBend(note, 120).samples.size(), static_cast<size_t>(kMaxCurveTicks));
}

TEST(BuildVibrato, DefaultsFadesAndCentreShift) {
  // 480 ticks at 125 BPM: 480 ms, one sample per ms.
  Note note = sung(60, 0, 0, 125);
  note.vbr = "65";
  CurvePiece vibrato = buildVibrato(note, 125);
  EXPECT_EQ(vibrato.start, 168);
  ASSERT_EQ(vibrato.samples.size(), 313u) << "0 ... 312 ms, the end included";
  EXPECT_EQ(vibrato.samples[0], 0) << "faded in";
  EXPECT_NEAR(vibrato.samples[100], std::sin(100 * 2 * M_PI / 180) * 3.5, 1e-9);
  EXPECT_NEAR(vibrato.samples[312], 0, 1e-9) << "faded out";

  note.vbr = "65,180,35,-20,20,25,50";
  vibrato = buildVibrato(note, 125);
  ASSERT_EQ(vibrato.samples.size(), 313u);
  EXPECT_NEAR(vibrato.samples[100], (std::sin(55 * 2 * M_PI / 180) * 35 + 17.5) / 10, 1e-9);
  EXPECT_NEAR(vibrato.samples[31], (std::sin(-14 * 2 * M_PI / 180) * 35 + 17.5) * 31 / 62.4 / 10, 1e-9)
      << "a negative fade-in counts as positive";
}

TEST(BuildVibrato, NoneOutsideItsRange) {
  for (const char* vbr : {"", "0", "100", "-5", "65,0", "x"}) {
    Note note = sung(60);
    note.vbr = vbr;
    EXPECT_TRUE(buildVibrato(note, 120).samples.empty()) << "VBR=" << vbr;
  }
  Note huge = sung(60, 0, 0, DBL_MAX);
  huge.length = INT32_MAX;
  huge.vbr = "50";
  EXPECT_EQ(buildVibrato(huge, DBL_MAX).samples.size(), static_cast<size_t>(kMaxCurveTicks))
      << "a step too small to count stops at the bound";
}

TEST(AddAveraged, AddsMeansOfCompleteGroupsUpToTheCurveEnd) {
  std::vector<double> curve(3, 1.0);
  CurvePiece piece;
  piece.start = 5;  // one step after the curve start at 125 BPM
  piece.samples = {1, 2, 3, 4, 5, 10, 10, 10, 10, 10, 7, 7, 7, 7, 7, 9, 9};
  addAveraged(curve, 0, 125, piece);
  EXPECT_EQ(curve, (std::vector<double>{1, 4, 11}));
}

}  // namespace
}  // namespace sondrel
