// The host editor's setting.ini, read once per run of sondrel into one record
// that the dialog choice, the voice root, the render configuration and the
// resampling ahead of the scripts all take.
#pragma once

#include <string>
#include <string_view>

namespace sondrel {

// Each key is matched case-sensitively from a line's first byte; its value is
// the rest of the line, untrimmed. Which of several lines counts is the
// key's own rule.
struct HostSettings {
  std::string voiceRoot;      // "VoiceRoot=": the first line
  std::string wavtoolPath;    // "Tool1Path=": the first line with a value
  std::string resamplerPath;  // "Tool2Path=": the first line with a value
  bool useDll = false;        // "UseDLL=": the last line, atoi != 0
  bool mode2 = false;         // "Mode2=": the last line, atoi != 0
  int resamplerRuns = 0;      // "ResamplerRuns=": the first line, atoi; 0 without one
};

HostSettings parseHostSettings(std::string_view settingBytes);

// One wait watches at most 64 handles: the running resamplers and Cancel.
constexpr int kMaxResamplerRuns = 63;

// How many resampler runs a script-mode render makes at once, ahead of the
// scripts: "ResamplerRuns=", or one per processor without a value above 0;
// 1 leaves every run to the scripts, one note after another; at most
// kMaxResamplerRuns. DLL mode calls the resampler library one note after
// another whatever the line says: the library is one instance inside
// sondrel and nothing promises that it can be called from several threads
// at once.
int resamplerRuns(const HostSettings& settings, int processors);

// Whether the progress dialog shows the progress bar (template 102): in DLL
// mode, and in script mode when sondrel resamples ahead of the scripts,
// which it counts.
bool showsProgressBar(const HostSettings& settings, int processors);

// The directory two levels above the one holding the program file: the
// program path with three components removed. Empty when it cannot be found.
std::wstring hostDirectory();

// setting.ini of the host directory; a file that cannot be read sets
// nothing.
HostSettings readHostSettings(const std::wstring& hostDir);

// The processors of this machine.
int processorCount();

}  // namespace sondrel
