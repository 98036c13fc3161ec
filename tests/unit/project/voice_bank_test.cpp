#include "project/voice_bank.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace sondrel {
namespace {

namespace fs = std::filesystem;

struct Expected {
  const char* key;
  const char* file;
  float offset, consonant, cutoff, preUtterance, overlap;
};

void expectEntries(const VoiceBank& bank, std::initializer_list<Expected> expected, const std::string& what) {
  EXPECT_EQ(bank.size(), expected.size()) << what;
  for (const Expected& e : expected) {
    auto found = bank.find(e.key);
    ASSERT_NE(found, bank.end()) << what << ": key " << e.key;
    const OtoEntry& entry = found->second;
    EXPECT_EQ(entry.file, e.file) << what << ": key " << e.key;
    EXPECT_EQ(entry.offset, e.offset) << what << ": key " << e.key;
    EXPECT_EQ(entry.consonant, e.consonant) << what << ": key " << e.key;
    EXPECT_EQ(entry.cutoff, e.cutoff) << what << ": key " << e.key;
    EXPECT_EQ(entry.preUtterance, e.preUtterance) << what << ": key " << e.key;
    EXPECT_EQ(entry.overlap, e.overlap) << what << ": key " << e.key;
  }
}

TEST(LoadOtoText, StoresEachLineUnderFileAliasAndSubdirectoryKeys) {
  VoiceBank bank;
  loadOtoText(bank, "ka.wav=ka,10,20,-30,40,5\r\n", "");
  expectEntries(bank, {{"ka.wav", "ka.wav", 10, 20, -30, 40, 5}, {"ka", "ka.wav", 10, 20, -30, 40, 5}}, "root");

  loadOtoText(bank, "ka.wav=ka,1,2,3,4,5\nko.wav=ko,6,7,8,9,10", "B4");
  expectEntries(bank,
                {{"ka.wav", "ka.wav", 10, 20, -30, 40, 5}, {"ka", "ka.wav", 10, 20, -30, 40, 5},
                 {"B4\\ka.wav", "B4\\ka.wav", 1, 2, 3, 4, 5}, {"ko.wav", "B4\\ko.wav", 6, 7, 8, 9, 10},
                 {"ko", "B4\\ko.wav", 6, 7, 8, 9, 10}, {"B4\\ko.wav", "B4\\ko.wav", 6, 7, 8, 9, 10}},
                "after subdirectory B4");
}

TEST(LoadOtoText, KeepsTheFirstEntryUnderEachKey) {
  VoiceBank bank;
  loadOtoText(bank, "ka.wav=ka,1,0,0,0,0\nka.wav=- ka,2,0,0,0,0\nko.wav=ka,3,0,0,0,0\n", "");
  expectEntries(bank,
                {{"ka.wav", "ka.wav", 1, 0, 0, 0, 0}, {"ka", "ka.wav", 1, 0, 0, 0, 0},
                 {"- ka", "ka.wav", 2, 0, 0, 0, 0}, {"ko.wav", "ko.wav", 3, 0, 0, 0, 0}},
                "repeated keys");
}

TEST(LoadOtoText, SkipsMalformedLinesAndZeroesMissingNumbers) {
  struct Case { const char* line; std::initializer_list<Expected> expected; } cases[] = {
      {"ka.wav=,0,0,0,0,0", {{"ka.wav", "ka.wav", 0, 0, 0, 0, 0}}},
      {"ka.wav=ka", {}},
      {"no equals sign,1,2", {}},
      {"ka.wav=ka,10,20", {{"ka.wav", "ka.wav", 10, 20, 0, 0, 0}, {"ka", "ka.wav", 10, 20, 0, 0, 0}}},
      {"ka.wav=ka,10,x,3,4,5", {{"ka.wav", "ka.wav", 10, 0, 0, 0, 0}, {"ka", "ka.wav", 10, 0, 0, 0, 0}}},
      {"ka.wav= ka ,1,2,3,4,5,6,junk", {{"ka.wav", "ka.wav", 1, 2, 3, 4, 5}, {" ka ", "ka.wav", 1, 2, 3, 4, 5}}},
      {"=ka,1e999", {{"ka", "", 3.40282347e38f, 0, 0, 0, 0}}},
      {"a=b=c,1", {{"a", "a", 1, 0, 0, 0, 0}, {"b=c", "a", 1, 0, 0, 0, 0}}},
  };
  for (const Case& c : cases) {
    VoiceBank bank;
    loadOtoText(bank, c.line, "");
    expectEntries(bank, c.expected, c.line);
  }
}

class VoiceDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::path(TEST_TMP_DIR) / "voice_bank" / ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void write(const fs::path& relative, const std::string& bytes) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative, std::ios::binary) << bytes;
  }
  // The loaders take the host's "\" separators.
  std::string hostPath(const fs::path& path) const {
    std::string text = path.string();
    for (char& c : text)
      if (c == '/') c = '\\';
    return text;
  }
  fs::path root_;
};

TEST_F(VoiceDirectory, ReadsOnlyImmediateSampleSubdirectories) {
  write("oto.ini", "ka.wav=ka,1,0,0,0,0\n");
  write("B4/oto.ini", "ka.wav=ka,2,0,0,0,0\nki.wav=ki,2,0,0,0,0\n");
  write("xy.z/oto.ini", "xy.wav=xy,3,0,0,0,0\n");
  write("B4/deeper/oto.ini", "deep.wav=deep,4,0,0,0,0\n");
  for (const char* skipped : {".git", "x.y", "A.wav"}) write(fs::path(skipped) / "oto.ini", "skip.wav=skip,5,0,0,0,0\n");
  write("plain.wav", "");

  VoiceBank bank;
  EXPECT_EQ(loadVoiceBank(bank, hostPath(root_)), 0);
  expectEntries(bank,
                {{"ka.wav", "ka.wav", 1, 0, 0, 0, 0}, {"ka", "ka.wav", 1, 0, 0, 0, 0},
                 {"B4\\ka.wav", "B4\\ka.wav", 2, 0, 0, 0, 0}, {"ki.wav", "B4\\ki.wav", 2, 0, 0, 0, 0},
                 {"ki", "B4\\ki.wav", 2, 0, 0, 0, 0}, {"B4\\ki.wav", "B4\\ki.wav", 2, 0, 0, 0, 0},
                 {"xy.wav", "xy.z\\xy.wav", 3, 0, 0, 0, 0}, {"xy", "xy.z\\xy.wav", 3, 0, 0, 0, 0},
                 {"xy.z\\xy.wav", "xy.z\\xy.wav", 3, 0, 0, 0, 0}},
                "voice directory");
}

TEST_F(VoiceDirectory, LoadsSubdirectoriesWithoutItsOwnOtoIni) {
  write("C5/oto.ini", "ko.wav=ko,1,0,0,0,0\n");
  VoiceBank bank;
  loadVoiceBank(bank, hostPath(root_));
  EXPECT_EQ(bank.count("C5\\ko.wav"), 1u);
  EXPECT_EQ(bank.count("ko"), 1u);
}

// A subdirectory whose oto.ini path needs more than 259 bytes counts as
// missing, even though a file lies at the name the path would be cut to.
TEST_F(VoiceDirectory, RefusesPathsBeyondTheHostLimit) {
  size_t base = hostPath(root_).size() + 1;
  ASSERT_LT(base + 20, 250u) << "build tree path too long for this test";
  std::string sub(259 - base - std::string("\\oto.ini").size(), 's');
  write(fs::path(sub) / "oto.ini", "fits.wav=fits,1,0,0,0,0\n");
  std::string longer = sub + "t";
  write(fs::path(longer) / "oto.ini", "long.wav=long,1,0,0,0,0\n");
  write(fs::path(longer) / "oto.in", "cut.wav=cut,1,0,0,0,0\n");

  VoiceBank bank;
  loadVoiceBank(bank, hostPath(root_));
  EXPECT_EQ(bank.count("fits"), 1u) << "a path of exactly 259 bytes fits";
  EXPECT_EQ(bank.count("long"), 0u);
  EXPECT_EQ(bank.count("cut"), 0u);
}

}  // namespace
}  // namespace sondrel
