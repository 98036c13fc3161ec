// Loads fuzzed oto.ini text, from the voice directory or from a subdirectory
// as the first byte says, and looks every key up again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "project/find_sample.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string subdirectory = (data[0] & 1) ? "B4" : "";
  sondrel::Project project;
  sondrel::loadOtoText(project.voiceBank, std::string_view(reinterpret_cast<const char*>(data + 1), size - 1),
                       subdirectory);
  for (const auto& [key, entry] : project.voiceBank) {
    if (!subdirectory.empty() && entry.file.compare(0, 3, "B4\\") != 0) std::abort();
    sondrel::Note note;
    note.lyric = key;
    if (sondrel::findSample(project, note) == nullptr) std::abort();
  }
  return 0;
}
