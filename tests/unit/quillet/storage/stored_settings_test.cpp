#include "storage/stored_settings.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

std::string bytesOf(std::initializer_list<int> list) {
  std::string bytes;
  for (int b : list) bytes += static_cast<char>(b);
  return bytes;
}

StoredValue stored(uint32_t type, const std::string& bytes) { return StoredValue{true, type, bytes}; }
StoredValue dword(int32_t number) {
  return stored(kStoredDword, bytesOf({number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF, (number >> 24) & 0xFF}));
}

// The byte layouts as written are checked in the registry under Wine.
TEST(StoredValues, ValuesAreRepairedOrIgnored) {
  const std::string set5 = bytesOf({0, 9, 9, 9, 99, 0, 0, 0, 5, 0, 0, 0});  // padding and note are not used
  struct Case { const char* name; std::string bytes; std::vector<int> expected; } cases[] = {
      {"one record per note", set5 + set5 + set5, {5, 5, 5}},
      {"shorter: the rest stays empty", set5, {5, -1, -1}},
      {"a last record cut short stays empty", set5 + set5.substr(0, 11), {5, -1, -1}},
      {"longer: values of another scale", set5 + set5 + set5 + set5, {-1, -1, -1}},
      {"any empty byte but 0 is empty", bytesOf({2, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0}) + set5, {-1, 5, -1}},
      {"nothing stored", "", {-1, -1, -1}},
  };
  for (const Case& c : cases) {
    std::vector<NoteValue> values = decodeValues(c.bytes, Scale{60, 62});
    ASSERT_EQ(values.size(), 3u) << c.name;
    for (size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(values[i].empty ? -1 : values[i].value, c.expected[i]) << c.name << ", record " << i;
      EXPECT_EQ(values[i].note, 60 + static_cast<int>(i)) << c.name;
    }
  }
}

TEST(StoredValues, FlagNeedsItsTypeAndFitsTheField) {
  struct FlagCase { const char* name; StoredValue value; std::wstring flag; } flags[] = {
      {"missing", StoredValue{}, L"g"},
      {"without terminator, odd byte dropped", stored(kStoredString, bytesOf({'x', 0, 'y', 0, 'z'})), L"xy"},
      {"up to the first terminator", stored(kStoredString, bytesOf({'x', 0, 0, 0, 'y', 0})), L"x"},
      {"15 characters", stored(kStoredString, encodeFlag(std::wstring(15, L'q'))), std::wstring(15, L'q')},
      {"16 characters", stored(kStoredString, encodeFlag(std::wstring(16, L'q')).substr(0, 32)), L"g"},
      {"another type", stored(kStoredBinary, encodeFlag(L"x")), L"g"},
  };
  for (const FlagCase& c : flags) EXPECT_EQ(decodeFlag(c.value), c.flag) << c.name;
}

TEST(StoredValues, ScaleThatBreaksTheDataModelIsIgnoredWithItsValues) {
  const std::string value7 = encodeValues({{false, 0, 7}});
  struct Case { const char* name; StoredValue low, high; bool read; Scale scale; int firstValue; } cases[] = {
      {"one end replaces the current one", dword(61), StoredValue{}, true, {61, 64}, 7},
      {"no scale stored: values for the current scale", StoredValue{}, StoredValue{}, false, {60, 64}, 7},
      {"low above high (the fuzzer checks the other breaks)", dword(70), dword(65), false, {60, 64}, -1},
      {"another type counts as missing", stored(kStoredBinary, dword(50).bytes), StoredValue{}, false, {60, 64}, 7},
  };
  for (const Case& c : cases) {
    StoredSettings raw;
    raw.scaleLow = c.low;
    raw.scaleHigh = c.high;
    raw.values = stored(kStoredBinary, value7);
    raw.rangeLow = dword(-4);
    raw.rangeHigh = stored(kStoredString, "");
    Settings settings;
    EXPECT_EQ(decodeSettings(raw, Scale{60, 64}, settings), c.read) << c.name;
    EXPECT_EQ(settings.scale.low, c.scale.low) << c.name;
    EXPECT_EQ(settings.scale.high, c.scale.high) << c.name;
    ASSERT_EQ(settings.values.size(), valueCount(c.scale)) << c.name;
    EXPECT_EQ(settings.values[0].empty ? -1 : settings.values[0].value, c.firstValue) << c.name;
    EXPECT_EQ(std::pair(settings.rangeLow, settings.rangeHigh), std::pair(-4, 0)) << c.name << ": a range of another type is 0";
  }
}

}  // namespace
}  // namespace quillet
