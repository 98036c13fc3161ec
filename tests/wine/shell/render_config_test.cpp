#include <gtest/gtest.h>

#include "base/ansi_text.h"
#include "base/status.h"
#include "shell/render_config_builder.h"
#include "windriver.h"

namespace {

using namespace sondrel;

// A host directory with setting.ini beside the work directory, which holds
// the host editor's project file song.ust and is the current directory, as
// during a render.
struct Layout : windriver::Host {
  Layout(const wchar_t* name, const char* setting, const char* projectLines)
      : Host(name, nullptr), settings(parseHostSettings(setting ? setting : "")) {
    if (projectLines)
      windriver::writeFile(work + L"\\song.ust",
                           std::string("[#VERSION]\r\nUST Version1.2\r\n[#SETTING]\r\n") + projectLines + "[#0000]\r\n");
    SetCurrentDirectoryW(work.c_str());
  }
  // A directory that is the current one cannot be removed by the next test.
  ~Layout() { SetCurrentDirectoryW(windriver::buildDir().c_str()); }
  int build(const Project& project, RenderConfig& config, bool wholeProject = false) const {
    RenderFailure failure;
    return buildRenderConfig(project, RenderSources{root, settings, plugin, wholeProject}, config, failure);
  }
  HostSettings settings;
};

// The sources of the render configuration, one row per source, highest first.
TEST(BuildRenderConfig, PrecedenceRowByRow) {
  struct Case {
    const char *name, *pluginTool2, *pluginMode2, *setting, *projectLines;  // projectLines null: no project file
    bool wholeProject;
    const char *resampler, *output;
    bool mode2;
  } cases[] = {
      {"plug-in Tool2", "C:\\p\\r.exe", "", "Tool2Path=C:\\s\\r.exe\r\n", "Tool2=C:\\f\\r.exe\r\n", false, "C:\\p\\r.exe", "plugin_temp.wav", false},
      {"project Tool2", "", "", "Tool2Path=C:\\s\\r.exe\r\n", "Tool2=C:\\f\\r.exe\r\n", false, "C:\\f\\r.exe", "plugin_temp.wav", false},
      {"setting.ini Tool2Path", "", "", "Tool2Path=\r\nTool2Path=C:\\s\\r.exe\r\nTool2Path=C:\\t\\r.exe\r\n", "ProjectName=x\r\n", false, "C:\\s\\r.exe", "plugin_temp.wav", false},
      {"OutFile only for a whole project", "", "", "", "OutFile=C:\\o.wav\r\n", false, "", "plugin_temp.wav", false},
      {"OutFile for a whole project", "", "", "", "OutFile=C:\\o.wav\r\n", true, "", "C:\\o.wav", false},
      {"OutFile .wav", "", "", "", "OutFile=.wav\r\n", true, "", "plugin_temp.wav", false},
      {"plug-in Mode2 True", "", "True", "Mode2=0\r\n", "Mode2=False\r\n", false, "", "plugin_temp.wav", true},
      {"plug-in Mode2 true", "", "true", "Mode2=1\r\n", "Mode2=True\r\n", false, "", "plugin_temp.wav", false},
      {"project Mode2 in any case", "", "", "Mode2=0\r\n", "Mode2=tRUE\r\n", false, "", "plugin_temp.wav", true},
      {"project Mode2 False", "", "", "Mode2=1\r\n", "Mode2=False\r\n", false, "", "plugin_temp.wav", false},
      {"setting.ini Mode2 as the project's default", "", "", "Mode2=1\r\n", "ProjectName=x\r\n", false, "", "plugin_temp.wav", true},
      {"setting.ini Mode2 without a project file", "", "", "Mode2=0\r\nMode2=7\r\n", nullptr, false, "", "plugin_temp.wav", true},
  };
  for (const Case& c : cases) {
    Layout layout(L"render_config_rows", c.setting, c.projectLines);
    Project project;
    project.cacheDir = "song.cache";
    project.tool2 = c.pluginTool2;
    project.mode2 = c.pluginMode2;
    RenderConfig config;
    ASSERT_EQ(layout.build(project, config, c.wholeProject), base::kStatusOk) << c.name;
    EXPECT_EQ(config.resamplerPath, c.resampler) << c.name;
    EXPECT_EQ(config.outputPath, c.output) << c.name;
    EXPECT_EQ(config.mode2, c.mode2) << c.name;
  }
}

TEST(BuildRenderConfig, ReadsTheProjectFileAndJoinsRelativeToolsToTheHost) {
  Layout layout(L"render_config_fields", "UseDLL=0\r\nUseDLL=1\r\nTool1Path=tools\\w.exe\r\nTool2Path=C:\\abs\\r.exe\r\n",
                "ProjectName=My song\r\nOutFile=D:\\out\\song.wav\r\n");
  Project project;
  project.cacheDir = "song.cache";
  RenderConfig config;
  ASSERT_EQ(layout.build(project, config, true), base::kStatusOk);
  EXPECT_EQ(config.projectName, "My song");
  EXPECT_EQ(config.wavtoolPath, base::toAnsi(layout.root) + "\\tools\\w.exe") << "a relative tool joins the host directory";
  EXPECT_EQ(config.resamplerPath, "C:\\abs\\r.exe");
  EXPECT_EQ(config.outputPath, "D:\\out\\song.wav");
  EXPECT_TRUE(config.useDll) << "the last UseDLL= line wins";
}

TEST(BuildRenderConfig, CacheDirectoryFromThePluginFilePath) {
  struct Case { const wchar_t* plugin; const char* cacheDir; } cases[] = {
      {L"D:\\tmp\\t1234.tmp", "D:\\tmp\\t1234.cache"},
      {L"D:\\tmp\\abc", "D:\\tmp\\abc.cache"},
      {L"D:\\\u66f2\\\u30bd.tmp", "D:\\\x8b\xc8\\\x83\x5c.cache"},  // code page 932 bytes
  };
  for (const Case& c : cases) {
    Project project;
    RenderConfig config;
    RenderFailure failure;
    ASSERT_EQ(buildRenderConfig(project, RenderSources{L"C:\\host", HostSettings(), c.plugin, false}, config, failure),
              base::kStatusOk);
    EXPECT_EQ(config.cacheDir, c.cacheDir);
  }
}

// A refused path is named in the failure; "ë" has no form in code page 932,
// and a folder that does not exist has no short form either.
TEST(BuildRenderConfig, PathsBeyondTheLimitOrWithoutAnsiFormAreRefused) {
  Project plain, longCache, relativeTool, absoluteTool;
  longCache.cacheDir = "D:\\" + std::string(300, 'a') + ".cache";
  relativeTool.tool1 = std::string(200, 't') + ".exe";
  absoluteTool.tool1 = "C:\\" + std::string(200, 't') + ".exe";
  std::wstring longHost = L"C:\\" + std::wstring(100, L'h');
  struct Case { const char* name; const Project& project; std::wstring host; std::wstring plugin; int status; FailureSubject subject; } cases[] = {
      // 200 kanji: 200 units wide, 400 bytes in code page 932.
      {"plug-in path", plain, L"C:\\host", L"D:\\" + std::wstring(200, L'\u66f2') + L".tmp", base::kStatusFilenameTooLong, FailureSubject::PluginFile},
      {"project file", longCache, L"C:\\host", L"D:\\t.tmp", base::kStatusFilenameTooLong, FailureSubject::CacheDir},
      {"joined tool", relativeTool, longHost, L"D:\\t.tmp", base::kStatusFilenameTooLong, FailureSubject::Wavtool},
      {"absolute tool", absoluteTool, longHost, L"D:\\t.tmp", base::kStatusOk, FailureSubject::None},
      {"plug-in folder without ANSI form", plain, L"C:\\host", L"D:\\Zo\u00eb\\t.tmp", base::kStatusInvalidName, FailureSubject::PluginFile},
      {"host folder without ANSI form", relativeTool, L"D:\\Zo\u00eb", L"D:\\t.tmp", base::kStatusInvalidName, FailureSubject::Wavtool},
  };
  for (const Case& c : cases) {
    RenderConfig config;
    RenderFailure failure;
    EXPECT_EQ(buildRenderConfig(c.project, RenderSources{c.host, HostSettings(), c.plugin, false}, config, failure),
              c.status)
        << c.name;
    EXPECT_EQ(failure.subject, c.subject) << c.name;
  }
}

}  // namespace
