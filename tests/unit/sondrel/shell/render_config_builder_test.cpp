#include "shell/render_config_builder.h"

#include <gtest/gtest.h>

#include <map>

#include "base/status.h"
#include "base/text_lines.h"

namespace sondrel {
namespace {

// A project file's [#SETTING] values as the profile API returns them; the
// value of `cutKey` comes back cut by the buffer.
ProjectSettingReader projectFile(const char* lines, const std::string& cutKey) {
  std::map<std::string, std::string> values;
  base::forEachLine(lines, [&](std::string_view line) {
    size_t equals = line.find('=');
    values[std::string(line.substr(0, equals))] = std::string(line.substr(equals + 1));
  });
  return [values, cutKey](const char* key, const char* defaultValue) {
    auto it = values.find(key);
    return ProjectFileValue{it == values.end() ? defaultValue : it->second, cutKey != key};
  };
}

TEST(ProjectFilePathFor, CutsAtTheLastDotOfTheWholePath) {
  EXPECT_EQ(projectFilePathFor("D:\\songs\\song.cache"), "D:\\songs\\song.ust");
  EXPECT_EQ(projectFilePathFor("D:\\my.songs\\cache"), "D:\\my.ust");
  EXPECT_EQ(projectFilePathFor("D:\\songs\\cache"), "");
}

TEST(ApplyProjectFile, CutPathsThatWouldBeUsedAreRefused) {
  struct Case { const char* name; const char* pluginTool2; const char* cutKey; bool whole; int status; } cases[] = {
      {"Tool2 used", "", "Tool2", false, base::kStatusFilenameTooLong},
      {"Tool2 not used", "own.exe", "Tool2", false, base::kStatusOk},
      {"OutFile used", "", "OutFile", true, base::kStatusFilenameTooLong},
      {"OutFile not used", "", "OutFile", false, base::kStatusOk},
      {"the name is only shown", "", "ProjectName", true, base::kStatusOk},
  };
  for (const Case& c : cases) {
    Project project;
    project.tool2 = c.pluginTool2;
    RenderConfig config;
    ProjectSettingReader read = projectFile("ProjectName=n\r\nTool2=t\r\nOutFile=o\r\n", c.cutKey);
    EXPECT_EQ(applyProjectFile(project, c.whole, read, config), c.status) << c.name;
  }
}

}  // namespace
}  // namespace sondrel
