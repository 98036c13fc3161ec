// Reading the plug-in file into the Project: the [#SETTING] values, one Note
// per section with its keys converted, the voice bank and prefix map of the
// voice directory, and the notes completed from their samples.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "project/project.h"

namespace sondrel {

// The tables of the voice directory that a "VoiceDir=" line names, read when
// the reader meets the line: readVoiceDirectory in a render, bytes at hand in
// a test. Without one the tables stay empty.
using VoiceDirectoryReader = std::function<VoiceDirectoryFiles(const std::string& voiceDir)>;

// The plug-in file's bytes into the Project.
void readProjectText(std::string_view voiceRoot, Project& project, std::string_view bytes,
                     const VoiceDirectoryReader& voiceDirectory = {});
// The plug-in file from disk, with its voice directory. A file that cannot be
// read reads as an empty one.
void readProject(std::string_view voiceRoot, Project& project, const std::wstring& pluginFilePath);

}  // namespace sondrel
