// The render configuration: which tools run, where the output and the cache
// go, and the two switches (DLL mode, Mode2), gathered from the plug-in file,
// the host editor's setting.ini and its saved project file. A later source
// overrides an earlier one:
//
//   wavtool    plug-in Tool1=;  project file Tool1;  setting.ini Tool1Path=
//   resampler  plug-in Tool2=;  project file Tool2;  setting.ini Tool2Path=
//   output     /o: (applied by the render afterwards); project file OutFile
//              (whole project only, not empty, not ".wav"); "plugin_temp.wav"
//   mode2      plug-in Mode2= ("True" exactly); project file Mode2 ("True" in
//              any case); setting.ini Mode2= (atoi != 0); off
//   useDll     setting.ini UseDLL= only
//   cacheDir   always the plug-in file path with ".cache"
//
// The precedence logic here is portable; buildRenderConfig (the Win32 part)
// reads the project file and the current directory.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "execution/render_failure.h"
#include "planning/render_config.h"
#include "project/project.h"
#include "shell/host_settings.h"

namespace sondrel {

// One [#SETTING] value of the host editor's project file. `complete` is false
// when the value filled the reading buffer and may have been cut.
struct ProjectFileValue {
  std::string text;
  bool complete = true;
};
using ProjectSettingReader = std::function<ProjectFileValue(const char* key, const char* defaultValue)>;

// The plug-in file's own values: voice directory, tempo and both tools.
void takeProjectValues(const Project& project, RenderConfig& config);

// setting.ini: "Tool1Path=" and "Tool2Path=" fill a still empty tool path;
// "UseDLL=" and "Mode2=".
void applyHostSettings(const HostSettings& settings, RenderConfig& config);

// The project file beside the cache directory: the path cut at its last "."
// with ".ust" appended. Empty when the path holds no ".".
std::string projectFilePathFor(const std::string& cacheDirPath);

// The project file's ProjectName, Tool1, Tool2, OutFile and Mode2. Returns 0,
// or 206 when a tool path or OutFile that would be used was cut by the
// reading buffer: a cut path names another file.
int applyProjectFile(const Project& project, bool wholeProject, const ProjectSettingReader& read,
                     RenderConfig& config);

// The plug-in file's own Mode2= decides last when present: only "True",
// exactly, turns Mode2 on.
void applyPluginMode2(const Project& project, RenderConfig& config);

// Where a render is and what it starts from: the host directory (where
// relative tool paths lead), its setting.ini, the plug-in file (the wide path
// of the command line) and whether it holds the whole track.
struct RenderSources {
  const std::wstring& hostDir;
  const HostSettings& settings;
  const std::wstring& pluginFilePath;
  bool wholeProject;
};

// Fills every field of `config` but `requests`. The current directory must
// be the plug-in file's directory. Returns 0; 206
// (ERROR_FILENAME_EXCED_RANGE) when the cache directory, the project file
// path or a tool path joined to the host directory does not fit a 260-byte
// path (a cut path names another file); 123 (ERROR_INVALID_NAME) when the
// plug-in file's or the host directory's path has no form in the ANSI code
// page. `failure` then says which.
int buildRenderConfig(const Project& project, const RenderSources& sources, RenderConfig& config,
                      RenderFailure& failure);

}  // namespace sondrel
