#include "shell/render_config_builder.h"

#include "base/ascii_case.h"
#include "base/status.h"

namespace sondrel {

void takeProjectValues(const Project& project, RenderConfig& config) {
  config.voiceDir = project.voiceDir;
  config.tempo = project.tempo;
  config.wavtoolPath = project.tool1;
  config.resamplerPath = project.tool2;
  if (!project.tool1.empty()) config.wavtoolSetting = ToolSetting::PluginFile;
  if (!project.tool2.empty()) config.resamplerSetting = ToolSetting::PluginFile;
}

void applyHostSettings(const HostSettings& settings, RenderConfig& config) {
  if (config.wavtoolPath.empty() && !settings.wavtoolPath.empty()) {
    config.wavtoolPath = settings.wavtoolPath;
    config.wavtoolSetting = ToolSetting::SettingIni;
  }
  if (config.resamplerPath.empty() && !settings.resamplerPath.empty()) {
    config.resamplerPath = settings.resamplerPath;
    config.resamplerSetting = ToolSetting::SettingIni;
  }
  config.useDll = settings.useDll;
  config.mode2 = settings.mode2;
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
  ProjectFileValue mode2 = read("Mode2", config.mode2 ? "True" : "False");
  config.mode2 = base::equalsIgnoringAsciiCase(mode2.text, "True");
  return base::kStatusOk;
}

void applyPluginMode2(const Project& project, RenderConfig& config) {
  if (!project.mode2.empty()) config.mode2 = project.mode2 == "True";
}

}  // namespace sondrel
