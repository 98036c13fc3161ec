#include "execution/cache_listing.h"

#include <gmock/gmock.h>

namespace sondrel {
namespace {

bool singleByte(unsigned char) { return false; }
bool shiftJis(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

std::vector<std::string> names(const std::vector<CacheEntry>& entries) {
  std::vector<std::string> names;
  for (const CacheEntry& entry : entries) names.push_back(entry.name);
  return names;
}

// Which names the pattern "3_*.wav" takes is compared with the system's own
// search under Wine; here, that each file is taken once, directories never,
// and files created later too.
TEST(CacheListing, TakesEachMatchingFileOnce) {
  CacheListing listing(singleByte);
  for (const CacheEntry& entry : {CacheEntry{"3_a.wav", "", false}, CacheEntry{"3 _x.wav", "3__X~CUW.WAV", false},
                                  CacheEntry{"30_x.wav", "", false}, CacheEntry{"3_dir.wav", "", true}})
    listing.add(entry);
  EXPECT_THAT(names(listing.takeIndexFiles(3)), testing::UnorderedElementsAre("3_a.wav", "3 _x.wav"));
  EXPECT_THAT(listing.takeIndexFiles(3), testing::IsEmpty());
  EXPECT_FALSE(listing.contains("3_a.wav")) << "taken files are gone";
  EXPECT_THAT(names(listing.takeIndexFiles(30)), testing::ElementsAre("30_x.wav"));
  listing.add({"3_new.wav", "", false});
  EXPECT_THAT(names(listing.takeIndexFiles(3)), testing::ElementsAre("3_new.wav")) << "files created later are listed";
}

// What a run created is what the listing after it holds and the one before
// did not, whatever the files' times say.
TEST(CacheListing, FilesCreatedSinceAnEarlierListing) {
  CacheListing before(singleByte), after(singleByte);
  for (CacheListing* listing : {&before, &after}) listing->add({"5_old_C4_550.wav", "", false});
  for (const CacheEntry& entry : {CacheEntry{"0_A_C4_550.wav", "", false}, CacheEntry{"1_a_C4_550.wav", "", false},
                                  CacheEntry{"sub", "", true}})
    after.add(entry);
  before.add({"0_a_c4_550.wav", "", false});
  EXPECT_THAT(names(after.filesMissingFrom(before)), testing::ElementsAre("1_a_C4_550.wav"));
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
