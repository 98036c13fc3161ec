#include "shell/render_config_builder.h"

#include "base/ascii_case.h"
#include "base/number_text.h"
#include "base/status.h"
#include "base/text_lines.h"

namespace sondrel {

void takeProjectValues(const Project& project, RenderConfig& config) {
  config.voiceDir = project.voiceDir;
  config.tempo = project.tempo;
  config.wavtoolPath = project.tool1;
  config.resamplerPath = project.tool2;
  if (!project.tool1.empty()) config.wavtoolSetting = ToolSetting::PluginFile;
  if (!project.tool2.empty()) config.resamplerSetting = ToolSetting::PluginFile;
}

void applyHostSettings(std::string_view settingBytes, RenderConfig& config) {
  base::forEachLine(settingBytes, [&](std::string_view line) {
    if (base::startsWith(line, "Tool1Path=") && config.wavtoolPath.empty()) {
      config.wavtoolPath = std::string(line.substr(10));
      config.wavtoolSetting = ToolSetting::SettingIni;
    }
    if (base::startsWith(line, "Tool2Path=") && config.resamplerPath.empty()) {
      config.resamplerPath = std::string(line.substr(10));
      config.resamplerSetting = ToolSetting::SettingIni;
    }
    if (base::startsWith(line, "UseDLL=")) config.useDll = base::readInt(line.substr(7)) != 0;
    if (base::startsWith(line, "Mode2=")) config.mode2 = base::readInt(line.substr(6)) != 0 ? 2 : 1;
  });
}

std::string projectFilePathFor(const std::string& cacheDirPath) {
  // The last dot of the whole path, which may lie in a directory name when
  // the cache directory has no extension: the host editor does the same.
  size_t dot = cacheDirPath.rfind('.');
  if (dot == std::string::npos) return std::string();
  return cacheDirPath.substr(0, dot) + ".ust";
}

int applyProjectFile(const Project& project, bool wholeProject, const ProjectSettingReader& read,
                     RenderConfig& config) {
  config.projectName = read("ProjectName", "").text;
  // The test is on the plug-in file's own tool, so the project file's tool
  // replaces one taken from setting.ini.
  if (project.tool1.empty()) {
    ProjectFileValue tool = read("Tool1", "");
    if (!tool.text.empty()) {
      if (!tool.complete) return base::kStatusFilenameTooLong;
      config.wavtoolPath = tool.text;
      config.wavtoolSetting = ToolSetting::ProjectFile;
    }
  }
  if (project.tool2.empty()) {
    ProjectFileValue tool = read("Tool2", "");
    if (!tool.text.empty()) {
      if (!tool.complete) return base::kStatusFilenameTooLong;
      config.resamplerPath = tool.text;
      config.resamplerSetting = ToolSetting::ProjectFile;
    }
  }
  config.outputPath = "plugin_temp.wav";
  if (wholeProject) {
    ProjectFileValue outFile = read("OutFile", "");
    if (!outFile.complete) return base::kStatusFilenameTooLong;
    if (!outFile.text.empty() && outFile.text != ".wav") config.outputPath = outFile.text;
  }
  ProjectFileValue mode2 = read("Mode2", config.mode2 == 2 ? "True" : "False");
  config.mode2 = base::equalsIgnoringAsciiCase(mode2.text, "True") ? 2 : 1;
  return base::kStatusOk;
}

void applyPluginMode2(const Project& project, RenderConfig& config) {
  if (!project.mode2.empty()) config.mode2 = project.mode2 == "True" ? 2 : 1;
}

}  // namespace sondrel
