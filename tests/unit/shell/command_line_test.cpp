#include "shell/command_line.h"

#include <gtest/gtest.h>

#include "shell/status.h"

namespace sondrel {
namespace {

std::string narrow(const std::wstring& wide) { return std::string(wide.begin(), wide.end()); }

struct Expected {
  const wchar_t* outputPath;
  const wchar_t* modificationPath;
  bool play, deleteWav, deleteCache, debug;
};

TEST(ParseArguments, AppliesEachOptionByItsMatchRule) {
  struct Case {
    const char* name;
    std::vector<std::wstring> options;
    Expected expected;
  } cases[] = {
      {"defaults", {}, {L"", L"", true, true, true, false}},
      {"all options", {L"/o:out.wav", L"/m:mod.ust", L"/noplay", L"/nodeletewav", L"/nodeletecache", L"/debug"},
       {L"out.wav", L"mod.ust", false, false, false, true}},
      {"capital O does not match", {L"/O:x.wav"}, {L"", L"", true, true, true, false}},
      {"switches match whole arguments only", {L"/noplay2", L"/NOPLAY", L"/debug ", L"/nodeletewavx"},
       {L"", L"", true, true, true, false}},
      {"later value replaces earlier", {L"/o:a.wav", L"/m:a.ust", L"/o:b.wav", L"/m:b.ust"},
       {L"b.wav", L"b.ust", true, true, true, false}},
      {"empty values", {L"/o:", L"/m:"}, {L"", L"", true, true, true, false}},
      {"prefix options keep the rest verbatim", {L"/o:/noplay", L"/m:C:\\a b\\c.ust"},
       {L"/noplay", L"C:\\a b\\c.ust", true, true, true, false}},
      {"short arguments are ignored", {L"/", L"/o", L""}, {L"", L"", true, true, true, false}},
  };
  for (const Case& c : cases) {
    std::vector<std::wstring> arguments{L"sondrel.exe", L"plugin.tmp"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    CommandLine line;
    ASSERT_EQ(parseArguments(arguments, line), kStatusOk) << c.name;
    EXPECT_EQ(narrow(line.pluginFilePath), "plugin.tmp") << c.name;
    EXPECT_EQ(narrow(line.outputPath), narrow(c.expected.outputPath)) << c.name;
    EXPECT_EQ(narrow(line.modificationPath), narrow(c.expected.modificationPath)) << c.name;
    EXPECT_EQ(line.play, c.expected.play) << c.name;
    EXPECT_EQ(line.deleteWav, c.expected.deleteWav) << c.name;
    EXPECT_EQ(line.deleteCache, c.expected.deleteCache) << c.name;
    EXPECT_EQ(line.debug, c.expected.debug) << c.name;
  }
}

TEST(ParseArguments, TakesTheFirstArgumentAsPluginFileWithoutInspection) {
  CommandLine line;
  ASSERT_EQ(parseArguments({L"sondrel.exe", L"/noplay", L"/o:x.wav"}, line), kStatusOk);
  EXPECT_EQ(narrow(line.pluginFilePath), "/noplay");
  EXPECT_TRUE(line.play);
  EXPECT_EQ(narrow(line.outputPath), "x.wav");
}

TEST(ParseArguments, RefusesPathsThatDoNotFitTheBuffers) {
  const std::wstring longest(259, L'a');
  const std::wstring tooLong(260, L'a');
  struct Case {
    const char* name;
    std::vector<std::wstring> arguments;
    int32_t status;
  } cases[] = {
      {"259-unit plug-in path", {L"p", longest}, kStatusOk},
      {"259-unit /o:", {L"p", L"x", L"/o:" + longest}, kStatusOk},
      {"260-unit plug-in path", {L"p", tooLong}, kStatusFilenameTooLong},
      {"260-unit /o:", {L"p", L"x", L"/o:" + tooLong}, kStatusFilenameTooLong},
      {"260-unit /m:", {L"p", L"x", L"/m:" + tooLong}, kStatusFilenameTooLong},
      {"long value replaced by a short one", {L"p", L"x", L"/o:" + tooLong, L"/o:y.wav"}, kStatusOk},
      {"long ignored argument", {L"p", L"x", L"/" + tooLong}, kStatusOk},
  };
  for (const Case& c : cases) {
    CommandLine line;
    EXPECT_EQ(parseArguments(c.arguments, line), c.status) << c.name;
  }
}

}  // namespace
}  // namespace sondrel
