#include "execution/helper_resampler_call.h"

#include <gtest/gtest.h>

#include "execution/script_text.h"

namespace sondrel {
namespace {

size_t singleByte(std::string_view, size_t) { return 1; }

// A direct sample, then a sung note; no wavtool.
RenderConfig song() {
  RenderRequest direct;
  direct.resampler.skipResample = true;
  direct.wavtool = {"b.wav", 100, 0.5, 0, "510.000000", "0 5 35 0 100 100 0 0.000000"};
  RenderRequest sung{1, 1,
                     {false, false, "sub\\a.wav", "1_sub_a_C4_550.wav", "C4", 100.0, "g-5", 12.25, 550, 60, -100, 90, 0,
                      120.0, "!120.000000", "AA#3#", "a"},
                     {"1_sub_a_C4_550.wav", 0, 12.5, 30.000001, "480@120.00+10.000", "0 5 35 0 100 100 0 30.000000"}};
  return {"", 120.0, 44100, "C:\\voice", "", "C:\\host\\resampler.exe", "plugin_temp.wav", "C:\\tmp\\t1.cache", "", 1,
          false, {direct, sung}};
}

// The values are what the main script's "@set" lines store, the numbers in
// the script's own form.
TEST(HelperResamplerCall, VariablesAreThoseTheMainScriptSets) {
  RenderConfig config = song();
  std::string script;
  RenderFailure failure;
  ASSERT_EQ(buildMainScript(config, "C:\\tmp\\PLUGIN~1.BAT", singleByte, script, failure), 0);
  std::vector<ScriptVariable> variables = headerVariables(config, "C:\\tmp\\PLUGIN~1.BAT");
  for (const RenderRequest& request : config.requests)
    for (const ScriptVariable& variable : blockVariables(config, request)) variables.push_back(variable);
  std::vector<std::string> names;
  for (ScriptVariable& variable : variables) {
    names.push_back(variable.name);
    // The script names the cache directory through its variable.
    if (variable.name == "temp") variable.value.replace(1, config.cacheDir.size(), "%cachedir%");
    std::string line = "\r\n@set " + variable.name + "=" + variable.value + "\r\n";
    EXPECT_NE(script.find(line), std::string::npos) << "expected " << line << " in\n" << script;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"tempo", "samples", "oto", "tool", "resamp", "output", "helper",
                                             "cachedir", "env", "params", "flag", "env", "stp", "vel", "temp"}));
  RenderRequest rest;
  rest.resampler.skipResample = rest.resampler.isRest = true;
  EXPECT_TRUE(blockVariables(config, rest).empty()) << "a rest sets nothing";
}

TEST(HelperResamplerCall, CommandLineIsTheHelpersResamplerLineExpanded) {
  RenderConfig config = song();
  EXPECT_EQ(helperResamplerCommandLine(config, config.requests[1]),
            "\"C:\\host\\resampler.exe\" \"C:\\voice\\sub\\a.wav\" \"C:\\tmp\\t1.cache\\1_sub_a_C4_550.wav\" C4 100 "
            "\"g-5\" 12.25 550 60 -100 90 0 !120.000000 AA#3#");
  // An empty pitch string leaves the blank before it, as the interpreter does.
  config.requests[1].resampler.pitchString.clear();
  config.requests[1].resampler.flags.clear();
  EXPECT_EQ(helperResamplerCommandLine(config, config.requests[1]),
            "\"C:\\host\\resampler.exe\" \"C:\\voice\\sub\\a.wav\" \"C:\\tmp\\t1.cache\\1_sub_a_C4_550.wav\" C4 100 "
            "\"\" 12.25 550 60 -100 90 0 !120.000000 ");
}

}  // namespace
}  // namespace sondrel
