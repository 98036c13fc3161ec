#include "execution/cache_listing.h"

#include <gmock/gmock.h>

namespace sondrel {
namespace {

bool singleByte(unsigned char) { return false; }
bool shiftJis(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The names of a cache directory under Wine, with the short names it gives:
// "3_*.wav" took exactly the files marked here.
struct Listed {
  CacheEntry entry;
  bool takenBy3;
};
const Listed kDirectory[] = {
    {{"3_a.wav", "", false}, true},
    {{"3_b.WAV", "", false}, true},
    {{"3_.wav", "", false}, true},
    {{"3_e.b.wav", "3_E_~FUQ.WAV", false}, true},
    {{"3 _x.wav", "3__X~CUW.WAV", false}, true},  // by its short name
    {{"3_c.wavx", "3_C~~Q2F.WAV", false}, true},  // by its short name
    {{"3_d.wav.x", "3_D_~Z4X.X", false}, false},
    {{"3_a.wa", "", false}, false},
    {{"30_x.wav", "", false}, false},
    {{"03_x.wav", "", false}, false},
    {{"x3_.wav", "", false}, false},
    {{"3_dir.wav", "", true}, false},  // directories are never deleted
};

TEST(CacheListing, TakesWhatTheSystemsPatternMatchesOnce) {
  CacheListing listing(singleByte);
  std::vector<std::string> expected;
  for (const Listed& listed : kDirectory) {
    listing.add(listed.entry);
    if (listed.takenBy3) expected.push_back(listed.entry.name);
  }
  EXPECT_THAT(listing.takeIndexFiles(3), testing::UnorderedElementsAreArray(expected));
  EXPECT_THAT(listing.takeIndexFiles(3), testing::IsEmpty());
  EXPECT_FALSE(listing.contains("3_a.wav")) << "taken files are gone";
  EXPECT_THAT(listing.takeIndexFiles(30), testing::ElementsAre("30_x.wav"));
  listing.add({"3_new.wav", "", false});
  EXPECT_THAT(listing.takeIndexFiles(3), testing::ElementsAre("3_new.wav")) << "files created later are listed";
}

TEST(CacheListing, FindsNamesInAnyAsciiCaseAndByShortName) {
  const struct {
    const char *name, *listed, *shortName;
    bool found;
    CacheListing::LeadBytePredicate lead;
  } cases[] = {
      {"0_A_C4_550.WAV", "0_a_C4_550.wav", "", true, singleByte},
      {"0_A~1.WAV", "0_a_C4_550.wav", "0_A~1.WAV", true, singleByte},
      {"0_a_C4_550.wa", "0_a_C4_550.wav", "", false, singleByte},
      {"\xC9.wav", "\xE9.wav", "", false, singleByte},  // beyond ASCII: resampled again
      {"0_\x83" "a.wav", "0_\x83" "A.wav", "", false, shiftJis},  // trail bytes are not letters
      {"0_\x83" "a.wav", "0_\x83" "A.wav", "", true, singleByte},
  };
  for (const auto& c : cases) {
    CacheListing listing(c.lead);
    listing.add({c.listed, c.shortName, false});
    EXPECT_EQ(listing.contains(c.name), c.found) << c.name;
  }
}

}  // namespace
}  // namespace sondrel
