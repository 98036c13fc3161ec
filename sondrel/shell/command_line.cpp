#include "shell/command_line.h"

#include "base/file_access.h"
#include "base/status.h"

namespace sondrel {
namespace {

bool hasPrefix(const std::wstring& argument, const wchar_t* prefix) {
  return argument.compare(0, 3, prefix) == 0;
}

}  // namespace

int32_t parseArguments(const std::vector<std::wstring>& arguments, CommandLine& commandLine) {
  if (arguments.size() < 2) return base::kStatusOk;
  commandLine.pluginFilePath = arguments[1];
  for (size_t i = 2; i < arguments.size(); ++i) {
    const std::wstring& argument = arguments[i];
    if (hasPrefix(argument, L"/o:")) {
      commandLine.outputPath = argument.substr(3);
    } else if (hasPrefix(argument, L"/m:")) {
      commandLine.modificationPath = argument.substr(3);
    } else if (argument == L"/noplay") {
      commandLine.play = false;
    } else if (argument == L"/nodeletewav") {
      commandLine.deleteWav = false;
    } else if (argument == L"/nodeletecache") {
      commandLine.deleteCache = false;
    } else if (argument == L"/debug") {
      commandLine.debug = true;
    }
  }
  bool fits = base::fitsMaxPath(commandLine.pluginFilePath) && base::fitsMaxPath(commandLine.modificationPath) &&
              base::fitsMaxPath(commandLine.outputPath);
  return fits ? base::kStatusOk : base::kStatusFilenameTooLong;
}

}  // namespace sondrel
