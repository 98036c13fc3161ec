// Cache names and flags texts under code page 932: the second byte of a
// double-byte character is part of it, never a backslash or a flag letter.
#include <gtest/gtest.h>

#include <windows.h>

#include "planning/tool_parameters.h"

namespace sondrel {
namespace {

TEST(ShiftJisText, SecondBytesStayPartOfTheirCharacter) {
  ASSERT_EQ(GetACP(), 932u) << "this test needs the Japanese code page";
  Note note;
  note.noteNum = 60;
  note.lyric = "\x83\x5C";  // ソ, second byte 0x5C
  EXPECT_EQ(formatCacheName(0, nullptr, note, 550), "0_\x83\x5C_C4_550.wav");
  OtoEntry entry;
  entry.file = "\x95\x5C\\\x83\x5C.wav";  // 表\ソ.wav: only the real separator goes
  EXPECT_EQ(formatCacheName(1, &entry, note, 600), "1_\x95\x5C_\x83\x5C_C4_600.wav");
  // A lead byte before "/" is no character: both bytes become "_", and the
  // name stays in the cache directory.
  note.lyric = "\x83/x";
  EXPECT_EQ(formatCacheName(2, nullptr, note, 550), "2___x_C4_550.wav");
  // ゥ and テ end in the bytes of "D" and "e"; the real E still gets its slash.
  EXPECT_EQ(formatFlags("\x83\x44\x83\x65" "E5"), "\x83\x44\x83\x65/E5");
}

}  // namespace
}  // namespace sondrel
