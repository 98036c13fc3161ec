#include "model/graded_flags.h"

#include <gtest/gtest.h>

#include "model/field_text.h"
#include "model/note_label.h"

namespace quillet {
namespace {

TEST(NoteLabel, NamesAndParsesNoteNumbers) {
  struct Case { int32_t note; const char* label; } names[] = {{23, ""}, {24, "C1"}, {61, "C#4"}, {119, "B8"}, {120, ""}};
  for (const Case& c : names) EXPECT_EQ(noteLabel(c.note), c.label) << c.note;
  struct Parse { const wchar_t* text; int32_t note; } parses[] = {
      {L"C4", 60}, {L"a#4", 70}, {L"B9", 131}, {L"C-1", -1}, {L"Db4", -1}, {L"C", -1}, {L"C 4", -1},
      {L"C4x", 60}, {L"G10000000000", -1}, {L"\xFF23\xFF03\xFF14", 61} /* full-width C#4 */,
      {L"C000000000000456", 552} /* at most 15 characters are read */,
  };
  for (const Parse& c : parses) EXPECT_EQ(parseNoteLabel(asciiText(c.text)), c.note) << asciiText(c.text);
}

// An input method enters full-width forms; each stands for its ASCII form.
TEST(FieldText, FullWidthAsciiReadsAsAscii) {
  struct Case { const wchar_t* text; int32_t number; char letter; } cases[] = {
      {L"  -12x", -12, 0}, {L"\xFF0B\xFF17", 7, '+'}, {L"\xFF11\xFF12", 12, '1'}, {L"\xFF0D\xFF13", -3, '-'},
      {L"\xFF47", 0, 'g'}, {L"\xFF5E", 0, '~'}, {L"\xFF5F", 0, 0}, {L"\xFF00", 0, 0}, {L"Yx", 0, 'Y'}, {L"", 0, 0},
      {L"\n", 0, 0}, {L"\x7F", 0, 0}, {L"\x3042", 0, 0}, {L"\x0167", 0, 0} /* its low byte is g */,
      {L"99999999999", INT32_MAX, '9'},
  };
  for (const Case& c : cases) {
    char letter = 0;
    EXPECT_EQ(fieldNumber(c.text), c.number) << asciiText(c.text);
    EXPECT_EQ(flagLetter(c.text, letter), c.letter != 0) << asciiText(c.text);
    EXPECT_EQ(letter, c.letter) << asciiText(c.text);
  }
}

ProjectDocument parsed(const std::string& text) {
  ProjectDocument document;
  parseDocument(text, document);
  return document;
}

TEST(DocumentScale, SpansTheUsableNotesThatAreNotRests) {
  struct Case { const char* name; const char* text; bool found; Scale scale; } cases[] = {
      {"context notes, rests and notes without a number do not count",
       "[#PREV]\nNoteNum=30\n[#0001]\nNoteNum=64\n[#0002]\nLyric=R\nNoteNum=90\n[#0003]\n[#0004]\nNoteNum=62\n"
       "[#NEXT]\nNoteNum=99\n", true, {62, 64}},
      {"only rests", "[#0001]\nLyric=R\nNoteNum=60\n[#0002]\nLyric=r\nNoteNum=60\n", false, {}},
      {"note numbers the grid cannot hold are not usable",
       "[#0001]\nNoteNum=70000\n[#0002]\nNoteNum=99999999999\n[#0003]\nNoteNum=65535\n", true, {65535, 65535}},
      {"only numbers no scale can hold", "[#0001]\nNoteNum=70000\n[#0002]\nNoteNum=0\n[#0003]\nNoteNum=-5\n", false, {}},
  };
  for (const Case& c : cases) {
    Scale scale{-7, -7};
    EXPECT_EQ(documentScale(parsed(c.text), scale), c.found) << c.name;
    Scale expected = c.found ? c.scale : Scale{-7, -7};
    EXPECT_EQ(scale.low, expected.low) << c.name;
    EXPECT_EQ(scale.high, expected.high) << c.name;
  }
}

TEST(FillLinear, InterpolatesAndRoundsHalfAwayFromZero) {
  struct Case { size_t count; int16_t low, high; std::vector<int32_t> expected; } cases[] = {
      {5, 0, 10, {0, 3, 5, 8, 10}},   {3, 10, -10, {10, 0, -10}}, {4, 10, -10, {10, 3, -3, -10}},
      {4, -10, 10, {-10, -3, 3, 10}}, {2, -32768, 32767, {-32768, 32767}},
      {1, 7, 9, {7}} /* a single note takes RangeLow */,
  };
  for (const Case& c : cases) {
    std::vector<NoteValue> values(c.count);
    fillLinear(values, c.low, c.high);
    std::vector<int32_t> got;
    for (const NoteValue& record : values) got.push_back(record.empty ? INT32_MIN : record.value);
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

TEST(WithValues, TheOutputHoldsWhatTheValuesSayAndNothingOfAnEarlierPreview) {
  const ProjectDocument loaded = parsed(
      "[#PREV]\nNoteNum=60\n[#0001]\nNoteNum=60\nFlags=B40\n[#0002]\nLyric=R\nNoteNum=61\n[#0003]\nNoteNum=62\n"
      "[#0004]\nNoteNum=59\n[#NEXT]\nNoteNum=61\n");
  std::vector<NoteValue> values = emptyValues(Scale{60, 62});
  fillLinear(values, 0, 10);
  EXPECT_EQ(formatDocument(withValues(loaded, Scale{60, 62}, values, 'g')),
            "[#0001]\r\nFlags=B40g0\r\n[#0002]\r\n[#0003]\r\nFlags=g10\r\n[#0004]\r\n")
      << "a preview; rests and notes outside the scale keep their flags";
  values[2].empty = true;
  EXPECT_EQ(formatDocument(withValues(loaded, Scale{60, 62}, values, 'Y')),
            "[#0001]\r\nFlags=B40Y0\r\n[#0002]\r\n[#0003]\r\n[#0004]\r\n")
      << "OK after the preview, with another letter and an emptied row";
}

}  // namespace
}  // namespace quillet
