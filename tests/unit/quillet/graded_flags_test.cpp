#include "editor/graded_flags.h"

#include <gtest/gtest.h>

#include "controls/field_text.h"
#include "controls/note_label.h"

namespace quillet {
namespace {

TEST(NoteLabel, NamesAndParsesNoteNumbers) {
  struct Case { int32_t note; const char* label; } names[] = {
      {23, ""}, {24, "C1"}, {60, "C4"}, {61, "C#4"}, {70, "A#4"}, {119, "B8"}, {120, ""}, {-1, ""}, {70000, ""}};
  for (const Case& c : names) EXPECT_EQ(noteLabel(c.note), c.label) << c.note;
  struct Parse { const char* text; int32_t note; } parses[] = {
      {"C4", 60}, {"c#4", 61}, {"a#4", 70}, {"C0", 12}, {"B9", 131}, {"C-1", -1}, {"Db4", -1}, {"", -1},
      {"C", -1}, {"H4", -1}, {"C4x", 60}, {"C 4", -1}, {"c#999", 12001}, {"G10000000000", -1},
      {"C000000000000456", 552} /* at most 15 characters are read */,
  };
  for (const Parse& c : parses) EXPECT_EQ(parseNoteLabel(c.text), c.note) << c.text;
}

TEST(FieldText, ReadsSignedDecimalsAndOnlyAsciiCharacters) {
  struct Case { const wchar_t* text; int32_t number; const char* ascii; } cases[] = {
      {L"  -12x", -12, "  -12x"}, {L"+7", 7, "+7"}, {L"x", 0, "x"}, {L"", 0, ""},
      {L"\xFF14", 0, "?"} /* a full-width 4 */, {L"99999999999", INT32_MAX, "99999999999"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(fieldNumber(c.text), c.number) << c.ascii;
    EXPECT_EQ(asciiText(c.text), c.ascii) << c.ascii;
  }
}

ProjectDocument parsed(const std::string& text) {
  ProjectDocument document;
  parseDocument(text, document);
  return document;
}

TEST(DocumentScale, SpansTheUsableNotesThatAreNotRests) {
  struct Case { const char* name; const char* text; bool found; Scale scale; } cases[] = {
      {"notes only", "[#0001]\nNoteNum=64\n[#0002]\nNoteNum=60\n", true, {60, 64}},
      {"context notes, rests and notes without a number do not count",
       "[#PREV]\nNoteNum=30\n[#0001]\nNoteNum=62\n[#0002]\nLyric=R\nNoteNum=90\n[#0003]\n[#NEXT]\nNoteNum=99\n", true, {62, 62}},
      {"only rests", "[#0001]\nLyric=R\nNoteNum=60\n[#0002]\nLyric=r\nNoteNum=60\n", false, {}},
      {"note numbers the grid cannot hold are not usable",
       "[#0001]\nNoteNum=70000\n[#0002]\nNoteNum=99999999999\n[#0003]\nNoteNum=65535\n", true, {65535, 65535}},
      {"numbers above 999 alone", "[#0001]\nNoteNum=1200\n[#0002]\nNoteNum=1300\n", true, {1200, 1300}},
      {"only numbers no scale can hold", "[#0001]\nNoteNum=70000\n[#0002]\nNoteNum=0\n[#0003]\nNoteNum=-5\n", false, {}},
      {"an empty document", "", false, {}},
  };
  for (const Case& c : cases) {
    Scale scale{-7, -7};
    EXPECT_EQ(documentScale(parsed(c.text), scale), c.found) << c.name;
    Scale expected = c.found ? c.scale : Scale{-7, -7};
    EXPECT_EQ(scale.low, expected.low) << c.name;
    EXPECT_EQ(scale.high, expected.high) << c.name;
  }
}

TEST(ValueArray, SizedByTheScaleWithoutOverflow) {
  struct Case { Scale scale; bool usable; size_t count; } cases[] = {
      {{60, 64}, true, 5}, {{1, 65535}, true, 65535}, {{0, 5}, false, 6}, {{60, 59}, false, 0},
      {{1, 65536}, false, 65536}, {{0, 65535}, false, 65536} /* what the grid's halves hold */,
  };
  for (const Case& c : cases) {
    EXPECT_EQ(isUsableScale(c.scale), c.usable) << c.scale.low << ".." << c.scale.high;
    EXPECT_EQ(valueCount(c.scale), c.count) << c.scale.low << ".." << c.scale.high;
  }
  std::vector<NoteValue> values = emptyValues(Scale{60, 62});
  ASSERT_EQ(values.size(), 3u);
  EXPECT_TRUE(values[2].empty);
  EXPECT_EQ(values[2].note, 62);
  EXPECT_EQ(toRangeHalf(40000), 32767) << "no sign change";
  EXPECT_EQ(toRangeHalf(-40000), -32768);
}

TEST(FillLinear, InterpolatesAndRoundsHalfAwayFromZero) {
  struct Case { size_t count; int16_t low, high; std::vector<int32_t> expected; } cases[] = {
      {5, 0, 10, {0, 3, 5, 8, 10}},
      {3, 10, -10, {10, 0, -10}},
      {4, 10, -10, {10, 3, -3, -10}},
      {4, -10, 10, {-10, -3, 3, 10}},
      {2, -32768, 32767, {-32768, 32767}},
      {1, 7, 9, {7}} /* a single note takes RangeLow */,
      {0, 1, 2, {}},
  };
  for (const Case& c : cases) {
    std::vector<NoteValue> values(c.count);
    if (!values.empty()) values[0].value = 99;
    fillLinear(values, c.low, c.high);
    std::vector<int32_t> got;
    for (const NoteValue& record : values) {
      EXPECT_FALSE(record.empty);
      got.push_back(record.value);
    }
    EXPECT_EQ(got, c.expected) << c.count << " notes from " << c.low << " to " << c.high;
  }
}

TEST(SetFlag, RewritesTheFirstOccurrenceOfTheLetter) {
  struct Case { const char* flags; char letter; int32_t value; const char* expected; } cases[] = {
      {"g-5B40", 'g', 10, "g10B40"}, {"B40g", 'g', 10, "B40g10"}, {"B40", 'g', 10, "B40g10"},
      {"g+-12Y0", 'g', 3, "g3Y0"}, {"", 'g', -7, "g-7"}, {nullptr, 'g', 5, "g5"},
      {"Bg1g2", 'g', 0, "Bg0g2"} /* only the first */, {"bre5", 'e', 1, "bre1"} /* inside another flag's name */,
      {"G3", 'g', 1, "G3g1"} /* case-sensitive */,
  };
  for (const Case& c : cases) {
    DocumentSection section;
    if (c.flags) section["Flags"] = SectionEntry{c.flags, false};
    setFlag(section, c.letter, c.value);
    EXPECT_EQ(findValue(section, "Flags")->value, c.expected) << (c.flags ? c.flags : "no Flags");
    EXPECT_TRUE(findValue(section, "Flags")->changed);
  }
}

TEST(FlagLetter, OnlyPrintableAsciiIsALetter) {
  struct Case { const wchar_t* field; bool isLetter; char letter; } cases[] = {
      {L"g", true, 'g'}, {L"Yx", true, 'Y'}, {L"~", true, '~'}, {L"", false, 0}, {L" g", false, 0},
      {L"\n", false, 0}, {L"\x7F", false, 0}, {L"\xFF47", false, 0} /* full-width g */, {L"\x3042", false, 0},
  };
  for (const Case& c : cases) {
    char letter = 0;
    EXPECT_EQ(flagLetter(c.field, letter), c.isLetter) << static_cast<int>(c.field[0]);
    EXPECT_EQ(letter, c.letter) << static_cast<int>(c.field[0]);
  }
}

TEST(ApplyValues, SetsTheFlagOfEveryNoteWithAValue) {
  ProjectDocument document = parsed(
      "[#PREV]\nNoteNum=60\n[#0001]\nNoteNum=60\nFlags=B40\n[#0002]\nLyric=R\nNoteNum=61\n[#0003]\nNoteNum=62\n"
      "[#0004]\nNoteNum=63\nFlags=g9\n[#0005]\nNoteNum=59\n[#0006]\nNoteNum=70000\n[#NEXT]\nNoteNum=61\n");
  std::vector<NoteValue> values = emptyValues(Scale{60, 62});
  for (NoteValue& record : values) record = NoteValue{false, 0, 4};
  values[2].empty = true;
  applyValues(document, Scale{60, 62}, values, 'g');
  EXPECT_EQ(formatDocument(document), "[#0001]\r\nFlags=B40g4\r\n[#0002]\r\n[#0003]\r\n[#0004]\r\n[#0005]\r\n[#0006]\r\n")
      << "rests, empty records and notes outside the scale keep their flags";
  applyValues(document, Scale{60, 62}, emptyValues(Scale{60, 62}), 'g');
  EXPECT_EQ(formatDocument(document), "[#0001]\r\nFlags=B40g4\r\n[#0002]\r\n[#0003]\r\n[#0004]\r\n[#0005]\r\n[#0006]\r\n")
      << "a change stays marked: a preview's changes are written again";
}

}  // namespace
}  // namespace quillet
