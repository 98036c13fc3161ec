// Per-render settings gathered from the plug-in file, setting.ini, the host
// editor's project file and the command line, with the planned requests.
#pragma once

#include <string>
#include <vector>

#include "planning/render_request.h"

namespace sondrel {

struct RenderConfig {
  std::string projectName;
  double tempo = 120.0;
  int sampleRate = 44100;
  std::string voiceDir;
  std::string wavtoolPath;
  std::string resamplerPath;
  std::string outputPath = "plugin_temp.wav";
  std::string cacheDir;
  // Mode2: the pitch string encodes the notes' bend curves; without it, their
  // own Pitches= lists.
  bool mode2 = false;
  bool useDll = false;
  std::vector<RenderRequest> requests;
};

}  // namespace sondrel
