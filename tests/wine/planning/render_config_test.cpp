#include <gtest/gtest.h>

#include <string>

#include "shell/render_config_builder.h"
#include "shell/status.h"
#include "windriver.h"

namespace {

using namespace sondrel;

std::string ansi(const std::wstring& wide) {
  int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &narrow[0], n, nullptr, nullptr);
  return narrow;
}

// A host directory with its setting.ini and, beside it, a song directory that
// holds the plug-in file, the host editor's project file song.ust and the
// cache directory song.cache; the render runs with the song directory as
// current directory.
struct Layout {
  std::wstring host;
  std::wstring song;
  std::wstring pluginFile;

  explicit Layout(const wchar_t* name) {
    // A directory that is some process's current directory cannot be
    // removed, and scratchDir removes what the last case left.
    SetCurrentDirectoryW(windriver::buildDir().c_str());
    std::wstring root = windriver::scratchDir(name);
    host = root + L"\\host";
    song = root + L"\\song";
    CreateDirectoryW(host.c_str(), nullptr);
    CreateDirectoryW(song.c_str(), nullptr);
    pluginFile = song + L"\\t1234.tmp";
    SetCurrentDirectoryW(song.c_str());
  }
  void setting(const std::string& bytes) const { ASSERT_TRUE(windriver::writeFile(host + L"\\setting.ini", bytes)); }
  void projectFile(const std::string& settingLines) const {
    ASSERT_TRUE(windriver::writeFile(song + L"\\song.ust", "[#VERSION]\r\nUST Version1.2\r\n[#SETTING]\r\n" +
                                                               settingLines + "[#0000]\r\nLength=480\r\n"));
  }
  int build(const Project& project, RenderConfig& config, bool wholeProject = false) const {
    return buildRenderConfigWithHost(host, project, config, wholeProject, pluginFile);
  }
};

TEST(BuildRenderConfig, ReadsTheProjectFileBesideTheCacheDirectory) {
  Layout layout(L"render_config_project");
  layout.setting("Tool1Path=C:\\setting\\w.exe\r\nTool2Path=C:\\setting\\r.exe\r\n");
  layout.projectFile("ProjectName=My song\r\nTool1=C:\\project\\w.exe\r\nOutFile=D:\\out\\song.wav\r\nMode2=true\r\n");
  Project project;
  project.cacheDir = "song.cache";
  project.voiceDir = "D:\\voice";
  project.tempo = 140;
  RenderConfig config;
  ASSERT_EQ(layout.build(project, config, true), kStatusOk);
  EXPECT_EQ(config.projectName, "My song");
  EXPECT_EQ(config.wavtoolPath, "C:\\project\\w.exe") << "the project file's Tool1 replaces setting.ini's";
  EXPECT_EQ(config.resamplerPath, "C:\\setting\\r.exe");
  EXPECT_EQ(config.outputPath, "D:\\out\\song.wav");
  EXPECT_EQ(config.mode2, 2) << "the project file's Mode2 is compared ignoring case";
  EXPECT_EQ(config.voiceDir, "D:\\voice");
  EXPECT_EQ(config.tempo, 140);
  EXPECT_EQ(config.cacheDir, ansi(layout.song) + "\\t1234.cache");
  EXPECT_EQ(config.helperScriptPath, "temp_helper.bat");
  EXPECT_FALSE(config.useDll);
  EXPECT_EQ(config.sampleRate, 44100);
}

TEST(BuildRenderConfig, RelativeToolPathsJoinTheHostDirectory) {
  Layout layout(L"render_config_tools");
  layout.setting("UseDLL=0\r\nTool1Path=tools\\w.exe\r\nTool2Path=C:\\abs\\r.exe\r\nUseDLL=1\r\n");
  Project project;
  RenderConfig config;
  ASSERT_EQ(layout.build(project, config), kStatusOk);
  EXPECT_EQ(config.wavtoolPath, ansi(layout.host) + "\\tools\\w.exe");
  EXPECT_EQ(config.resamplerPath, "C:\\abs\\r.exe");
  EXPECT_TRUE(config.useDll) << "the last UseDLL= line wins";
  EXPECT_EQ(config.outputPath, "plugin_temp.wav");
}

// One row per source of the precedence table, through the real files.
TEST(BuildRenderConfig, PrecedenceRowByRow) {
  struct Case {
    const char* name;
    const char* pluginTool2;
    const char* pluginMode2;
    const char* setting;
    const char* projectLines;  // null: no project file
    bool wholeProject;
    const char* resampler;
    const char* output;
    int mode2;
  } cases[] = {
      {"plug-in Tool2", "C:\\p\\r.exe", "", "Tool2Path=C:\\s\\r.exe\r\n", "Tool2=C:\\f\\r.exe\r\n", false, "C:\\p\\r.exe", "plugin_temp.wav", 1},
      {"project Tool2", "", "", "Tool2Path=C:\\s\\r.exe\r\n", "Tool2=C:\\f\\r.exe\r\n", false, "C:\\f\\r.exe", "plugin_temp.wav", 1},
      {"setting.ini Tool2Path", "", "", "Tool2Path=C:\\s\\r.exe\r\n", "ProjectName=x\r\n", false, "C:\\s\\r.exe", "plugin_temp.wav", 1},
      {"OutFile only for a whole project", "", "", "", "OutFile=C:\\o.wav\r\n", false, "", "plugin_temp.wav", 1},
      {"OutFile for a whole project", "", "", "", "OutFile=C:\\o.wav\r\n", true, "", "C:\\o.wav", 1},
      {"OutFile .wav", "", "", "", "OutFile=.wav\r\n", true, "", "plugin_temp.wav", 1},
      {"plug-in Mode2 True", "", "True", "Mode2=0\r\n", "Mode2=False\r\n", false, "", "plugin_temp.wav", 2},
      {"plug-in Mode2 true", "", "true", "Mode2=1\r\n", "Mode2=True\r\n", false, "", "plugin_temp.wav", 1},
      {"project Mode2 TRUE", "", "", "Mode2=0\r\n", "Mode2=TRUE\r\n", false, "", "plugin_temp.wav", 2},
      {"setting.ini Mode2 kept by the project file's default", "", "", "Mode2=1\r\n", "ProjectName=x\r\n", false, "", "plugin_temp.wav", 2},
      {"setting.ini Mode2 without a project file", "", "", "Mode2=1\r\n", nullptr, false, "", "plugin_temp.wav", 2},
      {"a blank before the key", "", "", " Mode2=1\r\n", nullptr, false, "", "plugin_temp.wav", 1},
  };
  for (const Case& c : cases) {
    Layout layout(L"render_config_rows");
    layout.setting(c.setting);
    if (c.projectLines) layout.projectFile(c.projectLines);
    Project project;
    project.cacheDir = "song.cache";
    project.tool2 = c.pluginTool2;
    project.mode2 = c.pluginMode2;
    RenderConfig config;
    ASSERT_EQ(layout.build(project, config, c.wholeProject), kStatusOk) << c.name;
    EXPECT_EQ(config.resamplerPath, c.resampler) << c.name;
    EXPECT_EQ(config.outputPath, c.output) << c.name;
    EXPECT_EQ(config.mode2, c.mode2) << c.name;
  }
}

TEST(BuildRenderConfig, CacheDirectoryFromThePluginFilePath) {
  struct Case { const wchar_t* plugin; const char* cacheDir; } cases[] = {
      {L"D:\\tmp\\t1234.tmp", "D:\\tmp\\t1234.cache"},
      {L"D:\\tmp\\abc", "D:\\tmp\\abc.cache"},
      {L"D:\\\u66f2\\\u30bd.tmp", "D:\\\x8b\xc8\\\x83\x5c.cache"},
  };
  for (const Case& c : cases) {
    Project project;
    RenderConfig config;
    ASSERT_EQ(buildRenderConfigWithHost(L"C:\\host", project, config, false, c.plugin), kStatusOk);
    EXPECT_EQ(config.cacheDir, c.cacheDir);
  }
}

TEST(BuildRenderConfig, PathsBeyondTheLimitAreRefused) {
  Project project;
  RenderConfig config;
  // 200 kanji are 200 units wide but 400 bytes in code page 932.
  std::wstring longPlugin = L"D:\\" + std::wstring(200, L'\u66f2') + L".tmp";
  EXPECT_EQ(buildRenderConfigWithHost(L"C:\\host", project, config, false, longPlugin), kStatusFilenameTooLong);

  Project absolute;
  absolute.cacheDir = "D:\\" + std::string(300, 'a') + ".cache";
  EXPECT_EQ(buildRenderConfigWithHost(L"C:\\host", absolute, config, false, L"D:\\t.tmp"), kStatusFilenameTooLong);

  Project relativeTool;
  relativeTool.tool1 = std::string(200, 't') + ".exe";
  std::wstring longHost = L"C:\\" + std::wstring(100, L'h');
  EXPECT_EQ(buildRenderConfigWithHost(longHost, relativeTool, config, false, L"D:\\t.tmp"), kStatusFilenameTooLong);
  relativeTool.tool1 = "C:\\" + std::string(200, 't') + ".exe";
  EXPECT_EQ(buildRenderConfigWithHost(longHost, relativeTool, config, false, L"D:\\t.tmp"), kStatusOk)
      << "an absolute tool path is not joined";
}

// The real entry point takes the host directory from the program's own path:
// a copy of this program two levels below a scratch host directory reads that
// directory's setting.ini.
TEST(BuildRenderConfig, HostDirectoryIsTwoLevelsAboveTheProgram) {
  std::wstring root = windriver::scratchDir(L"render_config_relaunch");
  std::wstring host = root + L"\\host";
  std::wstring plugins = host + L"\\plugins";
  std::wstring folder = plugins + L"\\x";
  for (const std::wstring& dir : {host, plugins, folder}) CreateDirectoryW(dir.c_str(), nullptr);
  ASSERT_TRUE(windriver::writeFile(host + L"\\setting.ini", "Tool1Path=tools\\w.exe\r\n"));
  wchar_t self[MAX_PATH] = {};
  ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  ASSERT_TRUE(windriver::copyFile(self, folder + L"\\child.exe"));
  std::wstring report = root + L"\\report.txt";
  std::wstring environment = L"RENDER_CONFIG_REPORT=" + report + L'\0';
  windriver::Process child;
  ASSERT_TRUE(child.start(L"\"" + folder + L"\\child.exe\" --gtest_filter=RenderConfigChild.*", root.c_str(),
                          environment.c_str()));
  ASSERT_EQ(child.wait(60000), 0u);
  std::string seen;
  ASSERT_TRUE(windriver::readFile(report, seen));
  EXPECT_EQ(seen, ansi(host) + "\\tools\\w.exe");
}

// The child side of the test above; does nothing when run on its own.
TEST(RenderConfigChild, ReportsTheWavtoolPath) {
  wchar_t report[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"RENDER_CONFIG_REPORT", report, MAX_PATH)) GTEST_SKIP() << "run as a child only";
  Project project;
  RenderConfig config;
  ASSERT_EQ(buildRenderConfig(project, config, false, L"D:\\t.tmp"), kStatusOk);
  ASSERT_TRUE(windriver::writeFile(report, config.wavtoolPath));
}

}  // namespace
