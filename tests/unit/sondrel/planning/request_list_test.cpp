#include "planning/request_list.h"

#include <gtest/gtest.h>

#include "execution/dll_arguments.h"

namespace sondrel {
namespace {

Note section(const char* name, const char* lyric, int32_t noteNum = 60) {
  Note note;
  note.section = name;
  note.lyric = lyric;
  note.noteNum = noteNum;
  note.length = 480;
  return note;
}

std::vector<RenderRequest> plan(Project& project) {
  std::vector<Note>& notes = project.notes;
  for (size_t i = 0; i + 1 < notes.size(); ++i) {
    notes[i].next = &notes[i + 1];
    notes[i + 1].prev = &notes[i];
    notes[i].nextPreUtterance = notes[i + 1].effectivePreUtterance;
    notes[i].nextOverlap = notes[i + 1].effectiveOverlap;
  }
  return planRequests(project, false);
}

TEST(PlanRequests, ContextSectionsShapeButGetNoRequest) {
  Project project;
  project.voiceBank["a"].file = "a.wav";
  project.notes = {section("[#PREV]", "a"), section("[#0001]", "a"), section("[#0002]", "R"),
                   section("[#0003]", "a"), section("[#NEXT]", "a")};
  project.notes[4].voiceOverlap = 30;
  std::vector<RenderRequest> requests = plan(project);
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[2].index, 2);
  EXPECT_EQ(requests[2].cacheIndex, 2);
  EXPECT_EQ(requests[0].resampler.cachePath, "0_a_C4_550.wav");
  EXPECT_EQ(requests[1].resampler.cachePath, "") << "a rest has no cache file";
  EXPECT_EQ(requests[2].resampler.cachePath, "2_a_C4_600.wav") << "the [#NEXT] overlap lengthens the last note";

  Project context;
  context.notes = {section("[#PREV]", "a"), section("[#NEXT]", "a")};
  EXPECT_TRUE(plan(context).empty());
  Project named;
  named.notes = {section("[#PREV] ", "a"), section("[#TRACKEND]", "")};
  EXPECT_EQ(plan(named).size(), 2u) << "only the exact names are context";
}

TEST(PlanNote, RequestKinds) {
  struct Case { const char* lyric; const char* direct; RequestKind kind; const char* wavInput; } cases[] = {
      {"R", "", RequestKind::Rest, "R.wav"}, {"R", "x", RequestKind::Rest, "R.wav"},
      {"a", "x", RequestKind::Direct, "a.wav"}, {"r", "", RequestKind::Sung, "0_r_C4_550.wav"},
      {"", "", RequestKind::Sung, "0__C4_550.wav"},
  };
  for (const Case& c : cases) {
    Project project;
    project.notes = {section("[#0000]", c.lyric)};
    project.notes[0].direct = c.direct;
    RenderRequest r = plan(project)[0];
    std::string name = std::string("lyric ") + c.lyric + ", $direct=" + c.direct;
    EXPECT_EQ(r.kind, c.kind) << name;
    EXPECT_EQ(r.wavtool.wavInput, c.wavInput) << name;
    EXPECT_EQ(r.resampler.inputPath, c.kind != RequestKind::Sung ? "" : std::string(c.lyric) + ".wav") << name;
  }
}

TEST(PlanNote, DirectSampleKeepsTheInitialResamplerValues) {
  Project project;
  project.voiceBank["a"] = OtoEntry{"sub\\a.wav", 12.5f, 1, 2, 3, 4};
  project.notes = {section("[#0000]", "a")};
  Note& note = project.notes[0];
  note.direct = "1";
  note.velocityFactor = 2;
  note.effectiveStartPoint = 10;
  note.tempo = 150;
  RenderRequest r = plan(project)[0];
  EXPECT_EQ(r.resampler.tempoArg, "");
  EXPECT_EQ(r.wavtool.wavInput, "sub\\a.wav");
  EXPECT_EQ(r.wavtool.wavOffset, 12.5);
  EXPECT_EQ(r.wavtool.startPoint, 20) << "scaled by the velocity factor";
}

TEST(PlanNote, SungNoteFillsEveryArgument) {
  Project project;
  project.prefixMap[62] = PrefixEntry{62, "", "_H"};
  project.voiceBank["ka_H"] = OtoEntry{"B4\\ka.wav", 10.5f, 20, -30, 99, 99};
  project.notes = {section("[#0007]", "ka", 62), section("[#NEXT]", "a")};
  Note& note = project.notes[0];
  note.preUtterance = 60;
  note.effectivePreUtterance = 45;
  note.effectiveOverlap = 15;
  note.effectiveStartPoint = 5;
  note.velocity = 120;
  note.velocityFactor = 0.5;
  note.flags = "g-5Y0e";
  note.intensity = 90;
  note.modulation = 30;
  note.tempo = 120.1;
  note.pitches = "0,0,0";
  project.notes[1].voiceOverlap = project.notes[1].effectiveOverlap = 30;
  project.notes[1].effectivePreUtterance = 80;
  RenderRequest r = plan(project)[0];
  // Compared as the tool library receives them: every value is in its slot.
  RenderConfig config;
  config.voiceDir = "V";
  config.cacheDir = "C";
  config.outputPath = "out.wav";
  EXPECT_EQ(resamplerArguments(config, r),
            (ResamplerCall{"V\\B4\\ka.wav", "C\\0_B4_ka_D4_650.wav", "D4", "120.000000", "g-5Y0/e", "10.500000", "650",
                           "20.000000", "-30.000000", "90", "30", "!120.099998", "AA#2#"}))
      << "required length 650: 499.6 ms + 60 + 30, not the effective values";
  EXPECT_EQ(wavtoolArguments(config, r), (WavtoolCall{"out.wav", "C\\0_B4_ka_D4_650.wav", "2.500000",
                                                       "480@120.10-5.000", "0", "5", "35", "0", "100", "100", "0",
                                                       "15.000000", "", "", ""}));
  EXPECT_EQ(r.wavtool.preUtterance, 45);
  EXPECT_EQ(r.resampler.lyric, "ka");
}

TEST(RequiredLength, RoundsUpToFiftyAndSaturates) {
  struct Case { int32_t length; double tempo; double pre; int32_t expected; } cases[] = {
      {480, 120, 24.9, 550}, {480, 120, 25, 600}, {-960, 120, 0, -900}, {INT32_MAX, 1e-300, 0, INT32_MAX / 50 * 50},
      {INT32_MIN, 1e-300, 0, INT32_MIN / 50 * 50},
  };
  for (const Case& c : cases) {
    Note note;
    note.length = c.length;
    note.tempo = c.tempo;
    note.preUtterance = c.pre;
    EXPECT_EQ(requiredLengthOf(note), c.expected) << c.length << " ticks at " << c.tempo << ", pre " << c.pre;
  }
}

}  // namespace
}  // namespace sondrel
