#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "project/project_reader.h"

namespace sondrel {
namespace {

std::vector<std::string> sections(const Project& project) {
  std::vector<std::string> names;
  for (const Note& note : project.notes) names.push_back(note.section);
  return names;
}

// A note's tempo holds from its section on; one not above 0 is ignored, a
// huge one saturates, and the times computed from it stay finite.
TEST(ReadProject, TempoRunsOnAndIgnoresValuesNotAboveZero) {
  struct Case { const char* value; double expected; } cases[] = {
      {"90", 90.0}, {"0", 150.0}, {"-20", 150.0}, {"abc", 150.0}, {"0.5", 0.5}, {"1e999", DBL_MAX},
  };
  for (const Case& c : cases) {
    Project project;
    readProjectText("", project,
                    std::string("[#SETTING]\nTempo=150\n[#0000]\nLength=480\n[#0001]\nTempo=") + c.value +
                        "\n[#0002]\nPreUtterance=400\nVoiceOverlap=0\n");
    ASSERT_EQ(project.notes.size(), 3u) << "Tempo=" << c.value;
    EXPECT_EQ(project.notes[0].tempo, 150.0) << "Tempo=" << c.value;
    EXPECT_EQ(project.notes[1].tempo, c.expected) << "Tempo=" << c.value;
    EXPECT_EQ(project.notes[2].tempo, c.expected) << "Tempo=" << c.value;
    EXPECT_TRUE(std::isfinite(project.notes[2].effectivePreUtterance)) << "Tempo=" << c.value;
  }
}

// The voice directory is read where "VoiceDir=" stands, so that the notes
// after it find their samples.
TEST(ReadProject, ExpandsTheVoiceRootAndReadsTheVoiceDirectory) {
  struct Case { const char* root; const char* value; const char* expected; } cases[] = {
      {"D:\\voices", "%VOICE%uta", "D:\\voices\\uta"}, {"D:\\voices", "x%VOICE%", "x%VOICE%"},
      {"D:\\voices", "%voice%uta", "%voice%uta"}, {"", "%VOICE%uta", "\\uta"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> read;
    auto voiceDirectory = [&](const std::string& dir) {
      read.push_back(dir);
      return VoiceDirectoryFiles{"C4\t\t_H", "a_H.wav=a_H,1,2,3,40,5", {{"B4", "i.wav=i,1,2,3,50,6"}}};
    };
    Project project;
    readProjectText(c.root, project, std::string("[#SETTING]\nVoiceDir=") + c.value + "\n[#0000]\nLyric=a\nNoteNum=60\n"
                    "[#0001]\nLyric=i\n", voiceDirectory);
    EXPECT_EQ(project.voiceDir, c.expected) << "root " << c.root << ", VoiceDir=" << c.value;
    EXPECT_EQ(read, std::vector<std::string>{c.expected});
    EXPECT_EQ(project.notes.at(0).preUtterance, 40.0) << "the prefix map and the directory's oto.ini";
    EXPECT_EQ(project.notes.at(1).preUtterance, 50.0) << "a subdirectory's oto.ini";
  }
}

TEST(ReadProject, KeepsRawTextKeysInTheirFields) {
  struct Case { const char* line; std::string Note::*field; const char* expected; } cases[] = {
      {"Lyric= b", &Note::lyric, " b"}, {"Envelope=1,2", &Note::envelope, "1,2"}, {"PBS=-5;3", &Note::pbs, "-5;3"},
      {"$direct=True", &Note::direct, "True"}, {"PBW=50", &Note::pbw, "50"}, {"PBY=1", &Note::pby, "1"},
      {"PBM=s", &Note::pbm, "s"}, {"VBR=65,180", &Note::vbr, "65,180"},
      {"Piches=1,2\nPitches=3,4", &Note::pitches, "1,2"}, {"Pitches=3,4\nPiches=1,2", &Note::pitches, "1,2"},
      {"lyric=x\n Lyric=y", &Note::lyric, ""},
  };
  for (const Case& c : cases) {
    Project project;
    readProjectText("", project, std::string("[#0000]\n") + c.line + "\n");
    EXPECT_EQ(project.notes.at(0).*c.field, c.expected) << c.line;
  }
}

TEST(ReadProject, ReadsNumbersAndSettings) {
  Project project;
  readProjectText("", project,
                  "[#SETTING]\nFlags=g5\nCacheDir=c.cache\nTool1=w.exe\nTool2=r.exe\nMode2=True\n"
                  "[#0000]\nVelocity=\nIntensity=\nNoteNum=99999999999\nLength=-99999999999\n"
                  "[#0001]\nFlags=B0\nVelocity=200\nModuration=7\nStartPoint=12.5\n");
  EXPECT_EQ(project.cacheDir + project.tool1 + project.tool2 + project.mode2, "c.cachew.exer.exeTrue");
  ASSERT_EQ(project.notes.size(), 2u);
  const Note& first = project.notes[0];
  EXPECT_EQ(first.flags, "g5") << "flags of [#SETTING] start the first section";
  EXPECT_EQ(first.velocityFactor, 2.0) << "an empty velocity is 0";
  EXPECT_EQ(first.intensity, 0);
  EXPECT_EQ(first.noteNum, INT32_MAX);
  EXPECT_EQ(first.length, INT32_MIN);
  const Note& second = project.notes[1];
  EXPECT_EQ(second.flags, "B0");
  EXPECT_EQ(second.velocityFactor, 0.5);
  EXPECT_EQ(second.modulation, 7);
  EXPECT_EQ(second.startPoint, 12.5);
  EXPECT_EQ(second.intensity, 100) << "reset value";
}

// Neighbour links and their values come from the completed notes.
TEST(ReadProject, CompletesNotesFromTheVoiceBankAndLinksThem) {
  Project project;
  OtoEntry entry;
  entry.preUtterance = 60.5f;
  entry.overlap = 20.25f;
  project.voiceBank["a"] = entry;
  readProjectText("", project,
                  "[#0000]\nLyric=a\nPreUtterance=\nVoiceOverlap=10\n"
                  "[#0001]\nLyric=R\nLength=1920\n"
                  "[#0002]\nLyric=a\nVelocity=200\n"
                  "[#0003]\nLyric=zz\nPreUtterance=7\n");
  const std::vector<Note>& notes = project.notes;
  ASSERT_EQ(notes.size(), 4u);
  EXPECT_EQ(notes[0].preUtterance, 60.5);
  EXPECT_EQ(notes[0].voiceOverlap, 10.0);
  EXPECT_EQ(notes[1].preUtterance, 0.0) << "a rest is never looked up";
  EXPECT_EQ(notes[2].effectivePreUtterance, 30.25);
  EXPECT_EQ(notes[2].effectiveOverlap, 10.125);
  EXPECT_EQ(notes[3].preUtterance, 7.0) << "nothing found keeps the file's value";
  EXPECT_EQ(notes[3].voiceOverlap, 0.0);
  for (size_t i = 0; i < notes.size(); ++i) {
    EXPECT_EQ(notes[i].prev, i == 0 ? nullptr : &notes[i - 1]) << "note " << i;
    EXPECT_EQ(notes[i].next, i == 3 ? nullptr : &notes[i + 1]) << "note " << i;
  }
  EXPECT_EQ(notes[1].nextPreUtterance, 30.25);
  EXPECT_EQ(notes[1].nextOverlap, 10.125);
  EXPECT_EQ(notes[3].nextPreUtterance, 0.0);
}

// The note sings at velocity 50 (factor sqrt 2), which applies only when the
// lead-in fits; the previous note lasts 500 ms.
TEST(ReadProject, FitsTheLeadInIntoThePreviousNote) {
  const double factor = std::sqrt(2.0);
  struct Case {
    const char* previousLyric;
    double preUtterance, overlap, expectedPre, expectedOverlap, expectedStart;
  } cases[] = {
      {"a", 300, 100, factor * 300, factor * 100, 5},
      {"a", 400, 100, 250.0 * 400 / 300, 250.0 * 100 / 300, 5 + 400 - 250.0 * 400 / 300},
      {"R", 700, 100, 500.0 * 700 / 600, 500.0 * 100 / 600, 5 + 700 - 500.0 * 700 / 600},
  };
  for (const Case& c : cases) {
    Project project;
    readProjectText("", project,
                    std::string("[#PREV]\nLength=480\nPreUtterance=900\nVoiceOverlap=0\nLyric=") + c.previousLyric +
                        "\n[#0000]\nStartPoint=5\nVelocity=50\nPreUtterance=" + std::to_string(c.preUtterance) +
                        "\nVoiceOverlap=" + std::to_string(c.overlap) + "\n");
    std::string name = std::string(c.previousLyric) + " before " + std::to_string(c.preUtterance);
    ASSERT_EQ(project.notes.size(), 2u) << name;
    EXPECT_EQ(project.notes[0].effectivePreUtterance, 900.0) << name << ": the first section is never corrected";
    EXPECT_DOUBLE_EQ(project.notes[1].effectivePreUtterance, c.expectedPre) << name;
    EXPECT_DOUBLE_EQ(project.notes[1].effectiveOverlap, c.expectedOverlap) << name;
    EXPECT_DOUBLE_EQ(project.notes[1].effectiveStartPoint, c.expectedStart) << name;
  }
}

TEST(ReadProject, StoresSectionsAsTheHeadersSay) {
  struct Case { const char* text; std::vector<std::string> expected; bool trackEnd; } cases[] = {
      {"[#SETTING]\n[#PREV]\n[#0001]\n[#NEXT]\nLyric=n\n[#TRACKEND]\n", {"[#PREV]", "[#0001]", "[#NEXT]"}, true},
      {"[#SETTING]\n[#0001]\nLyric=a\n[#TRACKEND]\n\n", {"[#0001]", "[#TRACKEND]"}, true},
      {"[#SETTING] \nTempo=100\n[#0000]\n", {"[#SETTING] "}, false},
      {"", {""}, false},
      {"[#0000]\nLyric=a\n[#0001]\n", {"[#0000]"}, false},
      {"[#0000]\n[#0001]\nLyric=b", {"[#0000]", "[#0001]"}, false},
  };
  for (const Case& c : cases) {
    Project project;
    readProjectText("", project, c.text);
    EXPECT_EQ(sections(project), c.expected) << "file: " << c.text;
    EXPECT_EQ(project.hasTrackEnd, c.trackEnd) << "file: " << c.text;
  }
}

TEST(ReadProject, ReadsAMissingFileAsEmpty) {
  Project project;
  readProject("", project, L"" TEST_TMP_DIR "/no such dir/missing.ust");
  EXPECT_EQ(sections(project), std::vector<std::string>{""});
  EXPECT_EQ(project.tempo, 120.0);
}

}  // namespace
}  // namespace sondrel
