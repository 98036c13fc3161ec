// Reading the plug-in file into the Project: the [#SETTING] values, one Note
// per section with its keys converted, the voice bank and prefix map of the
// voice directory, and the notes completed from their samples.
#pragma once

#include <string>
#include <string_view>

#include "project/project.h"

namespace sondrel {

// Never fails: a plug-in file that cannot be read reads as an empty one.
int readProject(const std::string& voiceRoot, Project& project, const std::wstring& pluginFilePath);
// The same on the file's bytes; used by readProject and by the tests.
void readProjectText(const std::string& voiceRoot, Project& project, std::string_view bytes);

}  // namespace sondrel
