#include "model/project_document.h"

#include <gtest/gtest.h>

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
      {"next", "[#NEXT]\nLyric=r\n", "#NEXT", SectionKind::Next, true, -1},
      {"track end", "[#TRACKEND]\n", "#TRACKEND", SectionKind::TrackEnd, false, -1},
      {"kinds are case-sensitive", "[#setting]\n", "#setting", SectionKind::Other, false, -1},
      {"# without a digit", "[#X12]\n", "#X12", SectionKind::Other, false, -1},
      {"a lone bracket", "[\n", "", SectionKind::Other, false, -1},
      {"keys before any header form a nameless section", "NoteNum=5\n", "<none>", SectionKind::Other, false, 5},
      {"R and a blank is no rest", "[#0001]\nLyric=R \n", "#0001", SectionKind::Note, false, -1},
      {"rr is no rest", "[#0001]\nLyric=rr\n", "#0001", SectionKind::Note, false, -1},
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

TEST(ProjectDocument, WritesNoteHeadersAndChangedEntriesOnly) {
  struct Case { const char* name; const char* text; const char* expected; } cases[] = {
      {"three notes, only the second changed: four lines",
       "[#SETTING]\nTempo=120\n[#PREV]\nFlags=p\n[#0003]\nFlags=a\n[#0004]\nFlags=b\n[#0005]\n[#NEXT]\nFlags=n\n[#TRACKEND]\n",
       "[#0003]\r\n[#0004]\r\nFlags=B\r\n[#0005]\r\n"},
      {"no note sections: an empty output", "[#SETTING]\n[#PREV]\nFlags=p\n", ""},
      {"changed entries in byte order", "[#0001]\nLength=480\n", "[#0001]\r\nFlags=B\r\nLength=480\r\n\xE0=B\r\n"},
  };
  for (const Case& c : cases) {
    ProjectDocument document = parsed(c.text);
    for (DocumentSection& section : document.sections) {
      if (nameOf(section) == "#0004" || nameOf(section) == "#PREV" || nameOf(section) == "#NEXT") setValue(section, "Flags", "B");
      if (nameOf(section) == "#0001") {
        setValue(section, "\xE0", "B");
        setValue(section, "Flags", "B");
        setValue(section, "Length", "480");
      }
    }
    EXPECT_EQ(formatDocument(document), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace quillet
