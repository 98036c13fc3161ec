#include "model/project_document.h"

#include <gtest/gtest.h>

#include "model/field_text.h"
#include "model/graded_flags.h"
#include "model/note_label.h"

namespace quillet {
namespace {

ProjectDocument parsed(const std::string& text) {
  ProjectDocument document;
  parseDocument(text, document);
  return document;
}

std::string nameOf(const DocumentSection& section) {
  const SectionEntry* name = findValue(section, "[]");
  return name ? name->value : "<none>";
}

TEST(ProjectDocument, ReadsSectionsAndAnswersQueries) {
  struct Case { const char* name; const char* text; std::string sectionName; SectionKind kind; bool rest; int32_t note; } cases[] = {
      {"numbered note", "[#0012]\nNoteNum=60\n", "#0012", SectionKind::Note, false, 60},
      {"header without its bracket loses a character", "[#0012\nNoteNum=61\n", "#001", SectionKind::Note, false, 61},
      {"previous", "[#PREV]\r\nLyric=R\r\n", "#PREV", SectionKind::Previous, true, -1},
      {"# without a digit", "[#X12]\n", "#X12", SectionKind::Other, false, -1},
      {"a lone bracket", "[\n", "", SectionKind::Other, false, -1},
      {"keys before any header form a nameless section", "NoteNum=5\n", "<none>", SectionKind::Other, false, 5},
      {"R and a blank is no rest", "[#0001]\nLyric=R \n", "#0001", SectionKind::Note, false, -1},
  };
  for (const Case& c : cases) {
    ProjectDocument document = parsed(c.text);
    ASSERT_EQ(document.sections.size(), 1u) << c.name;
    const DocumentSection& section = document.sections[0];
    EXPECT_EQ(nameOf(section), c.sectionName) << c.name;
    EXPECT_EQ(sectionKind(section), c.kind) << c.name;
    EXPECT_EQ(isRest(section), c.rest) << c.name;
    EXPECT_EQ(noteNumber(section), c.note) << c.name;
  }
}

TEST(ProjectDocument, KeepsLinesAsTheyStand) {
  ProjectDocument document = parsed("version 1.2\n\n[#0001]\nFlags =a=b \n flags=x\n flags=y\n[#0001]\n[#0002]\r\n");
  ASSERT_EQ(document.sections.size(), 3u) << "same names are both kept; a section of only a header counts";
  const DocumentSection& first = document.sections[0];
  EXPECT_EQ(first.size(), 3u) << "lines without = are skipped";
  EXPECT_EQ(findValue(first, " flags")->value, "y") << "a repeated key keeps its last value";
  EXPECT_EQ(findValue(first, "Flags ")->value, "a=b ") << "blanks stay, further = stay in the value";
  EXPECT_EQ(findValue(first, "Flags"), nullptr) << "no trimming, case-sensitive keys";
  EXPECT_FALSE(findValue(first, "Flags ")->changed);
}

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
      {L"\xFF0D\xFF13", -3, '-'}, {L"\xFF5E", 0, '~'}, {L"\xFF5F", 0, 0}, {L"\xFF00", 0, 0}, {L"Yx", 0, 'Y'},
      {L"", 0, 0}, {L"\n", 0, 0}, {L"\x7F", 0, 0}, {L"\x3042", 0, 0}, {L"\x0167", 0, 0} /* its low byte is g */,
  };
  for (const Case& c : cases) {
    char letter = 0;
    EXPECT_EQ(fieldNumber(c.text), c.number) << asciiText(c.text);
    EXPECT_EQ(flagLetter(c.text, letter), c.letter != 0) << asciiText(c.text);
    EXPECT_EQ(letter, c.letter) << asciiText(c.text);
  }
}

// Which notes count at all (context notes, rests, only rests) is the dialog
// test's part; here, the ends of the usable note numbers.
TEST(DocumentScale, SpansOnlyNoteNumbersTheGridCanHold) {
  Scale scale{-7, -7};
  EXPECT_FALSE(documentScale(parsed("[#0001]\nNoteNum=70000\n[#0002]\nNoteNum=0\n[#0003]\n"), scale));
  EXPECT_EQ(scale.low, -7) << "no scale leaves it alone";
  ASSERT_TRUE(documentScale(parsed("[#0001]\nNoteNum=65535\n[#0002]\nNoteNum=1\n[#0003]\nNoteNum=65536\n"), scale));
  EXPECT_EQ(scale.low, 1);
  EXPECT_EQ(scale.high, 65535);
}

TEST(FillLinear, InterpolatesAndRoundsHalfAwayFromZero) {
  struct Case { size_t count; int16_t low, high; std::vector<int32_t> expected; } cases[] = {
      {5, 0, 10, {0, 3, 5, 8, 10}},   {3, 10, -10, {10, 0, -10}}, {4, 10, -10, {10, 3, -3, -10}},
      {5, 0, -10, {0, -3, -5, -8, -10}}, {2, -32768, 32767, {-32768, 32767}},
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
      {"B40g", 'g', 10, "B40g10"}, {"g+-12Y0", 'g', 3, "g3Y0"}, {"", 'g', -7, "g-7"},
      {"Bg1g2", 'g', 0, "Bg0g2"} /* only the first */, {"bre5", 'e', 1, "bre1"} /* inside another flag's name */,
      {"G3", 'g', 1, "G3g1"} /* case-sensitive */,
  };
  for (const Case& c : cases) {
    DocumentSection section{{"Flags", SectionEntry{c.flags, false}}};
    setFlag(section, c.letter, c.value);
    EXPECT_EQ(findValue(section, "Flags")->value, c.expected) << c.flags;
    EXPECT_TRUE(findValue(section, "Flags")->changed);
  }
}

}  // namespace
}  // namespace quillet
