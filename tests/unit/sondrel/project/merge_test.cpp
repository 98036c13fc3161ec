#include "project/merge.h"

#include <gtest/gtest.h>

namespace sondrel {
namespace {

// Merges modification text into plug-in text and renumbers, as the plug-in
// file would be written back.
std::string merged(const std::string& plugin, const std::string& modification) {
  MergeDocument document = parseMergeDocument(plugin);
  applyModification(document, parseMergeDocument(modification));
  renumberSections(document);
  return formatMergeDocument(document);
}

TEST(MergeModification, AppliesOutputSectionsByPosition) {
  struct Case { const char* name; const char* plugin; const char* modification; const char* expected; } cases[] = {
      {"changed keys land on the notes in order, empty values are not copied",
       "[#SETTING]\nTempo=120\n[#PREV]\nFlags=p\n[#0012]\nFlags=a\n[#0013]\nFlags=b\n[#NEXT]\n[#TRACKEND]\n",
       "[#SETTING]\n[#0000]\nFlags=g3\n[#0001]\nFlags=\n",
       "[#SETTING]\r\nTempo=120\r\n[#PREV]\r\nFlags=p\r\n[#0012]\r\nFlags=g3\r\n[#0013]\r\nFlags=b\r\n"
       "[#NEXT]\r\n[#TRACKEND]\r\n"},
      {"delete removes the note under the cursor",
       "[#0005]\nL=5\n[#0006]\nL=6\n[#0007]\nL=7\n", "[#0000]\nX=a\n[#DELETE]\n[#0001]\nX=b\n",
       "[#0005]\r\nL=5\r\nX=a\r\n[#0006]\r\nL=7\r\nX=b\r\n"},
      {"insert goes before the cursor and renumbering starts at 0",
       "[#0003]\nLyric=x\n[#0004]\nLyric=y\n", "[#INSERT]\nLyric=a\nLength=480\nFlags=\n[#0000]\nLyric=z\n",
       "[#0000]\r\nFlags=\r\nLength=480\r\nLyric=a\r\n[#0001]\r\nLyric=z\r\n[#0002]\r\nLyric=y\r\n"},
      {"setting keys merge when both files start with [#SETTING]",
       "[#SETTING]\nTempo=120\nTool2=r.exe\n[#0000]\n", "[#SETTING]\nTempo=140\nTool2=\nMode2=True\n",
       "[#SETTING]\r\nMode2=True\r\nTempo=140\r\nTool2=r.exe\r\n[#0000]\r\n"},
      {"no setting merge when the plug-in file does not start with [#SETTING]",
       "[#PREV]\n[#SETTING]\nTempo=120\n", "[#SETTING]\nTempo=140\n", "[#PREV]\r\n[#SETTING]\r\nTempo=120\r\n"},
      {"[#PREV], [#NEXT] and unknown headers of the output consume no note",
       "[#PREV]\nA=1\n[#0001]\nA=1\n[#NEXT]\nA=1\n",
       "[#PREV]\nA=2\n[#XYZ]\nA=3\n[#NEXT]\nA=4\n[#0000]\nA=5\n",
       "[#PREV]\r\nA=1\r\n[#0001]\r\nA=5\r\n[#NEXT]\r\nA=1\r\n"},
      {"after the last note, output notes land on [#NEXT]; at the end they are dropped",
       "[#0001]\nA=1\n[#NEXT]\nA=1\n", "[#0000]\nA=2\n[#0001]\nA=3\n[#0002]\nA=4\n",
       "[#0001]\r\nA=2\r\n[#NEXT]\r\nA=3\r\n"},
      {"delete does not remove a section that is not a note", "[#0001]\n[#NEXT]\nA=1\n",
       "[#0000]\n[#DELETE]\n[#DELETE]\n", "[#0001]\r\n[#NEXT]\r\nA=1\r\n"},
      {"keys are written sorted, lines without = are gone, a repeated key keeps its last value",
       "[#0000]\nPreUtterance=1\n; comment\nNoteNum=60\n\nLyric=a\nLength=480\nLyric=b\n", "",
       "[#0000]\r\nLength=480\r\nLyric=b\r\nNoteNum=60\r\nPreUtterance=1\r\n"},
      {"keys before any header form a section, renumbered from 0", "A=1\n[#0007]\n", "",
       "[#0000]\r\nA=1\r\n[#0001]\r\n"},
      {"keys sort by unsigned bytes", "[#0000]\n\x82\xA0=1\nz=2\nA=3\n", "",
       "[#0000]\r\nA=3\r\nz=2\r\n\x82\xA0=1\r\n"},
      {"an insert into an empty plug-in file becomes its first note", "", "[#SETTING]\nA=1\n[#INSERT]\nA=1\n",
       "[#0000]\r\nA=1\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(merged(c.plugin, c.modification), c.expected) << c.name;
}

TEST(RenumberSections, CountsOnFromTheFirstNumberedSection) {
  struct Case { const char* name; const char* text; const char* expected; } cases[] = {
      {"numbers after the first two bytes", "[#SETTING]\n[#0012]\n[#NEXT]\n[#0099]\n",
       "[#SETTING]\r\n[#0012]\r\n[#NEXT]\r\n[#0013]\r\n"},
      {"at least four digits", "[#12345]\n[#0]\n", "[#12345]\r\n[#12346]\r\n"},
      {"a header without a number counts as 0", "[#XYZ]\n[#0005]\n", "[#0000]\r\n[#0001]\r\n"},
      {"a negative first number", "[#-5]\n[#0]\n", "[#-005]\r\n[#-004]\r\n"},
      {"no overflow past the 32-bit range", "[#2147483647]\n[#0]\n", "[#2147483647]\r\n[#2147483648]\r\n"},
  };
  for (const Case& c : cases) {
    MergeDocument document = parseMergeDocument(c.text);
    renumberSections(document);
    EXPECT_EQ(formatMergeDocument(document), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace sondrel
