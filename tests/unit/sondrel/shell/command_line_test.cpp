#include "shell/command_line.h"

#include <gtest/gtest.h>

#include "base/status.h"

namespace sondrel {
namespace {

// The fields of a parsed command line as one comparable text.
std::string summary(const CommandLine& line) {
  std::wstring text = line.pluginFilePath + L"|" + line.outputPath + L"|" + line.modificationPath + L"|";
  text += std::wstring(line.play ? L"play " : L"") + (line.deleteWav ? L"deleteWav " : L"") +
          (line.deleteCache ? L"deleteCache " : L"") + (line.debug ? L"debug" : L"");
  return std::string(text.begin(), text.end());
}

TEST(ParseArguments, AppliesEachOptionByItsMatchRule) {
  struct Case { std::vector<std::wstring> arguments; const char* expected; } cases[] = {
      {{L"p.tmp"}, "p.tmp|||play deleteWav deleteCache "},
      {{L"p.tmp", L"/o:out.wav", L"/m:m.ust", L"/noplay", L"/nodeletewav", L"/nodeletecache", L"/debug"},
       "p.tmp|out.wav|m.ust|debug"},
      {{L"/noplay", L"/o:x"}, "/noplay|x||play deleteWav deleteCache "},
      {{L"p", L"/O:x.wav", L"/M:m", L"/noplay2", L"/NOPLAY", L"/debug ", L"/o", L""}, "p|||play deleteWav deleteCache "},
      {{L"p", L"/o:a", L"/m:a", L"/o:b", L"/m:b", L"/o:/noplay"}, "p|/noplay|b|play deleteWav deleteCache "},
      {{L"p", L"/m:C:\\a b\\c.ust", L"/o:"}, "p||C:\\a b\\c.ust|play deleteWav deleteCache "},
  };
  for (const Case& c : cases) {
    std::vector<std::wstring> arguments{L"sondrel.exe"};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    CommandLine line;
    ASSERT_EQ(parseArguments(arguments, line), base::kStatusOk) << c.expected;
    EXPECT_EQ(summary(line), c.expected);
  }
}

TEST(ParseArguments, RefusesPathsThatDoNotFitTheBuffers) {
  const std::wstring longest(259, L'a'), tooLong(260, L'a');
  struct Case { const char* name; std::vector<std::wstring> arguments; int32_t status; } cases[] = {
      {"259-unit paths", {L"p", longest, L"/o:" + longest, L"/m:" + longest}, base::kStatusOk},
      {"260-unit plug-in path", {L"p", tooLong}, base::kStatusFilenameTooLong},
      {"260-unit /o:", {L"p", L"x", L"/o:" + tooLong}, base::kStatusFilenameTooLong},
      {"long value replaced by a short one", {L"p", L"x", L"/o:" + tooLong, L"/o:y.wav"}, base::kStatusOk},
      {"long ignored argument", {L"p", L"x", L"/" + tooLong}, base::kStatusOk},
  };
  for (const Case& c : cases) {
    CommandLine line;
    EXPECT_EQ(parseArguments(c.arguments, line), c.status) << c.name;
  }
}

}  // namespace
}  // namespace sondrel
