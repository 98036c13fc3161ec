#include <gtest/gtest.h>

#include <set>

#include "base/ansi_text.h"
#include "base/file_access.h"
#include "project/find_sample.h"
#include "project/merge.h"
#include "project/project_reader.h"
#include "windriver.h"

namespace {

using namespace sondrel;
using windriver::fileText;
using windriver::writeFile;

// The volume's file index, which stays with a file while its bytes are
// rewritten in place; 0 when the file cannot be opened.
ULONGLONG fileIdentity(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  BY_HANDLE_FILE_INFORMATION info = {};
  GetFileInformationByHandle(file, &info);
  CloseHandle(file);
  return (ULONGLONG{info.nFileIndexHigh} << 32) | info.nFileIndexLow;
}

// Shift-JIS bytes whose second byte is "\" or "|": katakana so, "table",
// "ability", katakana po.
const std::string kSo = "\x83\x5C", kHyo = "\x95\x5C", kNou = "\x94\x5C", kPo = "\x83\x7C";

TEST(ProjectFiles, ReadsAndMergesAPluginFileWithANonAsciiPath) {
  std::wstring dir = windriver::scratchDir(L"project_nonascii") + L"\\\x30D7\x30E9\x30B0\x30A4\x30F3";
  ASSERT_TRUE(CreateDirectoryW(dir.c_str(), nullptr));
  std::wstring plugin = dir + L"\\\x6B4C \x00E9t\x00E9.ust";
  std::wstring modification = dir + L"\\\x5909\x66F4.ust";
  ASSERT_TRUE(writeFile(plugin, "[#SETTING]\r\nTempo=150\r\n[#0003]\r\nLyric=a\r\nFlags=x\r\n"));
  ASSERT_TRUE(writeFile(modification, "[#SETTING]\r\n[#0000]\r\nFlags=g3\r\n"));

  mergeModification(plugin, modification);
  EXPECT_EQ(fileText(plugin), "[#SETTING]\r\nTempo=150\r\n[#0003]\r\nFlags=g3\r\nLyric=a\r\n");

  Project project;
  readProject("", project, plugin);
  EXPECT_EQ(project.tempo, 150.0);
}

TEST(ProjectFiles, ResolvesShiftJisNamesWithTrailBytes5Cand7C) {
  ASSERT_EQ(GetACP(), 932u) << "LANG=ja_JP.UTF-8 should select code page 932";
  std::wstring root = windriver::scratchDir(L"project_sjis");
  std::string voiceRoot = base::toAnsi(root), voiceDir = voiceRoot + "\\" + kNou;
  ASSERT_TRUE(CreateDirectoryA(voiceDir.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((voiceDir + "\\" + kSo).c_str(), nullptr));
  std::wstring wideDir = root + L"\\\x80FD";
  ASSERT_TRUE(writeFile(wideDir + L"\\\x30BD\\oto.ini", kPo + ".wav=" + kSo + kPo + ",1,2,3,44,5\r\n"));
  ASSERT_TRUE(writeFile(wideDir + L"\\oto.ini", "root.wav=" + kHyo + kPo + "|,9,0,0,66,7\r\n"));
  ASSERT_TRUE(writeFile(wideDir + L"\\prefix.map", "C4\t" + kHyo + "\t|\r\n"));
  std::wstring plugin = root + L"\\song.ust";
  ASSERT_TRUE(writeFile(plugin, "[#SETTING]\r\nVoiceDir=%VOICE%" + kNou + "\r\n[#0000]\r\nNoteNum=62\r\nLyric=" + kSo +
                                    kPo + "\r\n[#0001]\r\nNoteNum=60\r\nLyric=" + kPo + "\r\n"));

  Project project;
  readProject(voiceRoot, project, plugin);
  EXPECT_EQ(project.voiceDir, voiceDir);
  ASSERT_EQ(project.notes.size(), 2u);
  EXPECT_EQ(project.notes[0].lyric, kSo + kPo);
  EXPECT_EQ(project.notes[0].preUtterance, 44.0) << "alias from the subdirectory whose name ends in 0x5C";
  EXPECT_EQ(project.notes[1].preUtterance, 66.0) << "prefix with trail byte 0x5C and suffix |";
  const OtoEntry* entry = findSample(project, project.notes[0]);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->file, kSo + "\\" + kPo + ".wav");
}

TEST(ProjectFiles, ReplacesTheFileOnlyWhenTheNewContentIsComplete) {
  std::wstring dir = windriver::scratchDir(L"project_replace");
  std::wstring plugin = dir + L"\\plugin.ust";
  ASSERT_TRUE(writeFile(plugin, "old"));
  // The new content is written to another file and moved into place, so the
  // plug-in file afterwards is another file, not the old one written over.
  ULONGLONG before = fileIdentity(plugin);
  ASSERT_NE(before, 0u);
  EXPECT_TRUE(writeMergeDocument(plugin, parseMergeDocument("[#0001]\nA=1\n")));
  EXPECT_NE(fileIdentity(plugin), before);
  EXPECT_EQ(fileText(plugin), "[#0001]\r\nA=1\r\n");
  EXPECT_EQ(windriver::filesIn(dir, L"*"), std::vector<std::wstring>{L"plugin.ust"}) << "no temporary file left";

  // A file held open without delete sharing cannot be replaced.
  HANDLE holder = CreateFileW(plugin.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_FALSE(base::replaceFileContent(plugin, "new content"));
  CloseHandle(holder);
  EXPECT_EQ(fileText(plugin), "[#0001]\r\nA=1\r\n");
  EXPECT_EQ(windriver::filesIn(dir, L"*"), std::vector<std::wstring>{L"plugin.ust"}) << "the temporary file is deleted";
}

}  // namespace
