#include "project/voice_bank.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <tuple>

#include "project/find_sample.h"
#include "project/prefix_map.h"

namespace sondrel {
namespace {

namespace fs = std::filesystem;

// One line per key: "key>file offset consonant cutoff preUtterance overlap".
std::string dump(const VoiceBank& bank) {
  std::ostringstream text;
  for (const auto& [key, e] : bank)
    text << key << '>' << e.file << ' ' << e.offset << ' ' << e.consonant << ' ' << e.cutoff << ' ' << e.preUtterance
         << ' ' << e.overlap << '\n';
  return text.str();
}

TEST(LoadOtoText, StoresLinesUnderFileAliasAndSubdirectoryKeysFirstOneWins) {
  struct Case { const char* name; const char* root; const char* sub; const char* expected; } cases[] = {
      {"file and alias", "ka.wav=ka,10,20,-30,40,5\r\n", "", "ka>ka.wav 10 20 -30 40 5\nka.wav>ka.wav 10 20 -30 40 5\n"},
      {"subdirectory adds only missing keys", "ka.wav=ka,10,20,-30,40,5", "ka.wav=ka,1,2,3,4,5\nko.wav=ko,6,7,8,9,1",
       "B4\\ka.wav>B4\\ka.wav 1 2 3 4 5\nB4\\ko.wav>B4\\ko.wav 6 7 8 9 1\nka>ka.wav 10 20 -30 40 5\n"
       "ka.wav>ka.wav 10 20 -30 40 5\nko>B4\\ko.wav 6 7 8 9 1\nko.wav>B4\\ko.wav 6 7 8 9 1\n"},
      {"repeated file and alias", "ka.wav=ka,1\nka.wav=- ka,2\nko.wav=ka,3\n", "",
       "- ka>ka.wav 2 0 0 0 0\nka>ka.wav 1 0 0 0 0\nka.wav>ka.wav 1 0 0 0 0\nko.wav>ko.wav 3 0 0 0 0\n"},
      {"empty alias", "ka.wav=,0,0,0,0,0", "", "ka.wav>ka.wav 0 0 0 0 0\n"},
      {"no comma, no equals sign", "ka.wav=ka\nno equals,1,2\n", "", ""},
      {"numbers stop at the first bad field", "ka.wav=ka,10,x,3", "", "ka>ka.wav 10 0 0 0 0\nka.wav>ka.wav 10 0 0 0 0\n"},
      {"blanks belong to the alias", "a.wav= a ,1,2,3,4,5,6,junk", "", " a >a.wav 1 2 3 4 5\na.wav>a.wav 1 2 3 4 5\n"},
      {"empty file name, huge number", "=ka,1e999", "", "ka> 3.40282e+38 0 0 0 0\n"},
      {"alias up to the first comma after the first =", "a=b=c,1", "", "a>a 1 0 0 0 0\nb=c>a 1 0 0 0 0\n"},
  };
  for (const Case& c : cases) {
    VoiceBank bank;
    loadOtoText(bank, c.root, "");
    loadOtoText(bank, c.sub, "B4");
    EXPECT_EQ(dump(bank), c.expected) << c.name;
  }
}

// A subdirectory whose oto.ini path needs more than 259 bytes counts as
// missing, even though a file lies at the name the path would be cut to.
// Which subdirectories are read is checked on the host's file system.
// Only the immediate sample subdirectories are read (not ".git", "x.y" or
// deeper ones), and a path that needs more than 259 bytes counts as missing,
// even though a file lies at the name the path would be cut to.
TEST(ReadVoiceDirectory, ReadsSampleSubdirectoriesWithinTheHostLimit) {
  fs::path root = fs::path(TEST_TMP_DIR) / "voice_bank";
  fs::remove_all(root);
  std::string hostPath = root.string();
  for (char& c : hostPath)
    if (c == '/') c = '\\';
  size_t base = hostPath.size() + 1;
  ASSERT_LT(base + 20, 250u) << "build tree path too long for this test";
  std::string sub(259 - base - std::string("\\oto.ini").size(), 's');
  for (const auto& [dir, file, text] : {std::tuple{sub, "oto.ini", "fits.wav=fits,1"},
                                        {sub + "t", "oto.ini", "long.wav=long,1"},
                                        {sub + "t", "oto.in", "cut.wav=cut,1"}, {"B4", "oto.ini", "s.wav=B4,1"},
                                        {".git", "oto.ini", "s.wav=git,1"}, {"x.y", "oto.ini", "s.wav=x.y,1"},
                                        {"xy.z", "oto.ini", "s.wav=xy.z,1"}, {"B4/deeper", "oto.ini", "d.wav=d,1"}}) {
    fs::create_directories(root / dir);
    std::ofstream(root / dir / file, std::ios::binary) << text;
  }
  VoiceBank bank;
  PrefixMap prefixMap;
  loadVoiceDirectory(readVoiceDirectory(hostPath), prefixMap, bank);
  std::string keys;
  for (const auto& entry : bank) keys += entry.first + " ";
  EXPECT_EQ(keys, "B4 B4\\s.wav fits fits.wav s.wav " + sub + "\\fits.wav xy.z xy.z\\s.wav ")
      << "a path of exactly 259 bytes fits";
}

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
