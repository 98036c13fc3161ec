// The precedence of the render configuration's sources, one row per source,
// highest first. The native tests run it through the portable logic with a
// fake project file, the Wine tests through real files and the profile API.
#pragma once

namespace sondrel::precedence_cases {

struct PrecedenceCase {
  const char* name;
  const char* pluginTool2;
  const char* pluginMode2;
  const char* setting;  // setting.ini
  const char* projectLines;  // [#SETTING] lines of the project file; null: no file
  bool wholeProject;
  const char* resampler;
  const char* output;
  int mode2;
};

inline const PrecedenceCase kCases[] = {
    {"plug-in Tool2", "C:\\p\\r.exe", "", "Tool2Path=C:\\s\\r.exe\r\n", "Tool2=C:\\f\\r.exe\r\n", false, "C:\\p\\r.exe", "plugin_temp.wav", 1},
    {"project Tool2", "", "", "Tool2Path=C:\\s\\r.exe\r\n", "Tool2=C:\\f\\r.exe\r\n", false, "C:\\f\\r.exe", "plugin_temp.wav", 1},
    {"setting.ini Tool2Path", "", "", "Tool2Path=\r\nTool2Path=C:\\s\\r.exe\r\nTool2Path=C:\\t\\r.exe\r\n", "ProjectName=x\r\n", false, "C:\\s\\r.exe", "plugin_temp.wav", 1},
    {"OutFile only for a whole project", "", "", "", "OutFile=C:\\o.wav\r\n", false, "", "plugin_temp.wav", 1},
    {"OutFile for a whole project", "", "", "", "OutFile=C:\\o.wav\r\n", true, "", "C:\\o.wav", 1},
    {"OutFile .wav", "", "", "", "OutFile=.wav\r\n", true, "", "plugin_temp.wav", 1},
    {"plug-in Mode2 True", "", "True", "Mode2=0\r\n", "Mode2=False\r\n", false, "", "plugin_temp.wav", 2},
    {"plug-in Mode2 true", "", "true", "Mode2=1\r\n", "Mode2=True\r\n", false, "", "plugin_temp.wav", 1},
    {"project Mode2 in any case", "", "", "Mode2=0\r\n", "Mode2=tRUE\r\n", false, "", "plugin_temp.wav", 2},
    {"project Mode2 False", "", "", "Mode2=1\r\n", "Mode2=False\r\n", false, "", "plugin_temp.wav", 1},
    {"setting.ini Mode2 as the project's default", "", "", "Mode2=1\r\n", "ProjectName=x\r\n", false, "", "plugin_temp.wav", 2},
    {"setting.ini Mode2 without a project file", "", "", "Mode2=0\r\nMode2=7\r\n", nullptr, false, "", "plugin_temp.wav", 2},
    {"a blank before the key", "", "", " Mode2=1\r\n", nullptr, false, "", "plugin_temp.wav", 1},
};

}  // namespace sondrel::precedence_cases
