// The command line of sondrel: the plug-in file first, then options.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sondrel {

struct CommandLine {
  std::wstring pluginFilePath;
  std::wstring modificationPath;
  std::wstring outputPath;
  bool play = true;
  bool deleteWav = true;
  bool deleteCache = true;
  bool debug = false;
};

// Reads the argument vector (program name first, at least two entries).
// Options match case-sensitively: "/o:" and "/m:" by their first three
// characters, the switches as whole arguments; anything else is ignored and a
// repeated "/o:" or "/m:" replaces the earlier value. Returns
// kStatusFilenameTooLong when a path that would be kept does not fit the
// 260-unit buffers of RunOptions (a cut path would name another file),
// otherwise kStatusOk.
int32_t parseArguments(const std::vector<std::wstring>& arguments, CommandLine& commandLine);

}  // namespace sondrel
