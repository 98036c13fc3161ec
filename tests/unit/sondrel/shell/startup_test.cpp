#include "shell/command_line.h"

#include <gtest/gtest.h>

#include <string>

#include "base/status.h"
#include "shell/host_settings.h"

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

using namespace std::string_literals;

std::string summary(const HostSettings& s) {
  return s.voiceRoot + "|" + s.wavtoolPath + "|" + s.resamplerPath + "|" + std::to_string(s.useDll) +
         std::to_string(s.mode2) + "|" + std::to_string(s.resamplerRuns);
}

TEST(ParseHostSettings, EachKeyByItsOwnRule) {
  const std::string longValue(100000, '7');
  struct Case { const char* name; std::string text; std::string expected; } cases[] = {
      {"nothing", "", "|||00|0"},
      {"first VoiceRoot and ResamplerRuns, untrimmed, no final line end",
       "VoiceRoot= C:\\v \r\nVoiceRoot=D:\r\nResamplerRuns=3\r\nResamplerRuns=5", " C:\\v |||00|3"},
      {"last UseDLL and Mode2", "UseDLL=0\r\nMode2=1\r\nUseDLL=1\r\nMode2=0\r\n", "|||10|0"},
      {"first tool path with a value", "Tool1Path=\r\nTool1Path=a.exe\r\nTool1Path=b.exe\r\nTool2Path=r.exe\r\n",
       "|a.exe|r.exe|00|0"},
      {"a blank before the key, another case", " UseDLL=1\r\nusedll=1\r\nMode2=x\r\n", "|||00|0"},
      {"carriage returns inside a line", "VoiceRoot=a\rb\r\nA=0\rUseDLL=1\r\n", "a\rb|||00|0"},
      {"NUL bytes pass through", "A=\0\nVoiceRoot=1\0x\n"s, "1\0x|||00|0"s},
      {"very long lines", "A=" + longValue + "\nVoiceRoot=" + longValue, longValue + "|||00|0"},
  };
  for (const Case& c : cases) EXPECT_EQ(summary(parseHostSettings(c.text)), c.expected) << c.name;
}

TEST(ResamplerRuns, OnePerProcessorUnlessSettingIniSaysOtherwise) {
  const struct { const char* setting; int processors; int runs; } cases[] = {
      {"", 8, 8}, {"", 1, 1}, {"ResamplerRuns=1\r\n", 8, 1}, {"ResamplerRuns=0\r\n", 4, 4},
      {"ResamplerRuns=-2\r\n", 4, 4}, {"ResamplerRuns=1000\r\n", 4, kMaxResamplerRuns},
      {"", 128, kMaxResamplerRuns}, {"", 0, 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(resamplerRuns(parseHostSettings(c.setting), c.processors), c.runs)
        << c.setting << " with " << c.processors;
}

// The dialog follows the rules the render follows: with "UseDLL=0" and then
// "UseDLL=1" the render runs the tool libraries, and the dialog shows their
// progress bar.
TEST(ShowsProgressBar, InDllModeAndWhenResamplingAheadOfTheScripts) {
  const struct { const char* setting; int processors; bool bar; } cases[] = {
      {"UseDLL=1\r\nResamplerRuns=1\r\n", 8, true}, {"UseDLL=0\r\nUseDLL=1\r\nResamplerRuns=1\r\n", 8, true},
      {"UseDLL=1\r\nUseDLL=0\r\nResamplerRuns=1\r\n", 8, false}, {"", 2, true}, {"", 1, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(showsProgressBar(parseHostSettings(c.setting), c.processors), c.bar) << c.setting << c.processors;
}

}  // namespace
}  // namespace sondrel
