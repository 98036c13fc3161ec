// Per-render settings gathered from the plug-in file, setting.ini, the host
// editor's project file and the command line, with the planned requests.
#pragma once

#include <string>
#include <vector>

#include "planning/render_request.h"

namespace sondrel {

// Where a tool's path was set: a failure names that place, since it is where
// the user mends the path.
enum class ToolSetting { None, PluginFile, ProjectFile, SettingIni };

struct RenderConfig {
  std::string projectName;
  double tempo = 120.0;
  int sampleRate = 44100;
  std::string voiceDir;
  std::string wavtoolPath;
  std::string resamplerPath;
  ToolSetting wavtoolSetting = ToolSetting::None;
  ToolSetting resamplerSetting = ToolSetting::None;
  std::string projectFile;  // the host editor's project file that was read; empty when none
  std::string outputPath = "plugin_temp.wav";
  std::string cacheDir;
  // Mode2: the pitch string encodes the notes' bend curves; without it, their
  // own Pitches= lists.
  bool mode2 = false;
  bool useDll = false;
  std::vector<RenderRequest> requests;
};

}  // namespace sondrel
