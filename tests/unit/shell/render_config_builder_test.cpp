#include "shell/render_config_builder.h"

#include <gtest/gtest.h>

#include <map>

#include "shell/status.h"

namespace sondrel {
namespace {

// A project file's [#SETTING] section as the profile API would return it.
struct FakeProjectFile {
  std::map<std::string, std::string> values;
  std::string cutKey;  // this key's value comes back cut

  ProjectSettingReader reader() const {
    return [this](const char* key, const char* defaultValue) {
      auto it = values.find(key);
      return ProjectFileValue{it == values.end() ? defaultValue : it->second, cutKey != key};
    };
  }
};

TEST(ApplyHostSettings, KeysFromTheLineStartFirstToolAndLastSwitch) {
  RenderConfig config;
  applyHostSettings(
      " UseDLL=1\r\nTool1Path=\r\nTool1Path=first.exe\r\nTool1Path=second.exe\r\nUseDLL=0\r\nUseDLL=1\r\n"
      "Mode2=1\r\nMode2=0\r\nTool2Path=r.exe \r\n",
      config);
  EXPECT_EQ(config.wavtoolPath, "first.exe");
  EXPECT_EQ(config.resamplerPath, "r.exe ") << "values are not trimmed";
  EXPECT_TRUE(config.useDll);
  EXPECT_EQ(config.mode2, 1);

  RenderConfig blank;
  applyHostSettings(" UseDLL=1\nmode2=1\n", blank);
  EXPECT_FALSE(blank.useDll) << "a blank before the key does not match";
  EXPECT_EQ(blank.mode2, 1);
}

TEST(ApplyHostSettings, PluginToolsStay) {
  Project project;
  project.tool1 = "own.exe";
  RenderConfig config;
  takeProjectValues(project, config);
  applyHostSettings("Tool1Path=setting.exe\nTool2Path=setting2.exe\n", config);
  EXPECT_EQ(config.wavtoolPath, "own.exe");
  EXPECT_EQ(config.resamplerPath, "setting2.exe");
}

TEST(ProjectFilePathFor, CutsAtTheLastDot) {
  struct Case { const char* cacheDir; const char* projectFile; } cases[] = {
      {"D:\\songs\\song.cache", "D:\\songs\\song.ust"},
      {"D:\\my.songs\\cache", "D:\\my.ust"},
      {"D:\\songs\\cache", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(projectFilePathFor(c.cacheDir), c.projectFile) << c.cacheDir;
}

// One row per source of the precedence table, highest first.
TEST(RenderConfigPrecedence, RowByRow) {
  struct Case {
    const char* name;
    const char* pluginTool1;
    const char* pluginMode2;
    const char* setting;
    std::map<std::string, std::string> projectFile;
    bool wholeProject;
    const char* wavtool;
    const char* output;
    int mode2;
  } cases[] = {
      {"plug-in tool wins", "p.exe", "", "Tool1Path=s.exe\n", {{"Tool1", "f.exe"}}, false, "p.exe", "plugin_temp.wav", 1},
      {"project file tool beats setting.ini", "", "", "Tool1Path=s.exe\n", {{"Tool1", "f.exe"}}, false, "f.exe", "plugin_temp.wav", 1},
      {"setting.ini tool last", "", "", "Tool1Path=s.exe\n", {{"Tool1", ""}}, false, "s.exe", "plugin_temp.wav", 1},
      {"OutFile on a whole project", "", "", "", {{"OutFile", "D:\\out\\song.wav"}}, true, "", "D:\\out\\song.wav", 1},
      {"OutFile ignored for a selection", "", "", "", {{"OutFile", "D:\\out\\song.wav"}}, false, "", "plugin_temp.wav", 1},
      {"OutFile .wav ignored", "", "", "", {{"OutFile", ".wav"}}, true, "", "plugin_temp.wav", 1},
      {"OutFile .WAV is a name", "", "", "", {{"OutFile", ".WAV"}}, true, "", ".WAV", 1},
      {"plug-in Mode2 True", "", "True", "", {{"Mode2", "False"}}, false, "", "plugin_temp.wav", 2},
      {"plug-in Mode2 true is off", "", "true", "", {{"Mode2", "True"}}, false, "", "plugin_temp.wav", 1},
      {"project Mode2 in any case", "", "", "", {{"Mode2", "tRUE"}}, false, "", "plugin_temp.wav", 2},
      {"project Mode2 False beats setting.ini", "", "", "Mode2=1\n", {{"Mode2", "False"}}, false, "", "plugin_temp.wav", 1},
      {"setting.ini Mode2 is the default", "", "", "Mode2=5\n", {}, false, "", "plugin_temp.wav", 2},
      {"nothing: Mode2 off", "", "", "", {}, false, "", "plugin_temp.wav", 1},
  };
  for (const Case& c : cases) {
    Project project;
    project.tool1 = c.pluginTool1;
    project.mode2 = c.pluginMode2;
    RenderConfig config;
    config.outputPath = "stale.wav";
    FakeProjectFile file{c.projectFile, ""};
    takeProjectValues(project, config);
    applyHostSettings(c.setting, config);
    ASSERT_EQ(applyProjectFile(project, c.wholeProject, file.reader(), config), kStatusOk) << c.name;
    applyPluginMode2(project, config);
    EXPECT_EQ(config.wavtoolPath, c.wavtool) << c.name;
    EXPECT_EQ(config.outputPath, c.output) << c.name;
    EXPECT_EQ(config.mode2, c.mode2) << c.name;
  }
}

TEST(ApplyProjectFile, CutPathsAreRefused) {
  Project project;
  RenderConfig config;
  FakeProjectFile file{{{"Tool2", "cut"}, {"ProjectName", "cut too"}}, "Tool2"};
  EXPECT_EQ(applyProjectFile(project, false, file.reader(), config), kStatusFilenameTooLong);

  project.tool2 = "own.exe";
  RenderConfig unused;
  EXPECT_EQ(applyProjectFile(project, false, file.reader(), unused), kStatusOk)
      << "a cut value that is not used does not matter";

  FakeProjectFile name{{{"ProjectName", "long"}}, "ProjectName"};
  RenderConfig named;
  EXPECT_EQ(applyProjectFile(project, true, name.reader(), named), kStatusOk) << "the name is only shown";
  EXPECT_EQ(named.projectName, "long");
}

}  // namespace
}  // namespace sondrel
