// Helpers of the reference tool tests: scratch files and their samples.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "common/tool_text.h"
#include "common/wav_format.h"

namespace tooltest {

// A fresh directory under the build tree's test scratch area.
inline std::string scratchDir(const std::string& name) {
  std::filesystem::path dir = std::filesystem::path(TEST_TMP_DIR) / "tools" / name;
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

inline std::vector<float> readWavSamples(const std::string& path) {
  std::string bytes, error;
  reftools::Audio audio;
  if (!reftools::readWholeFile(path, bytes) || !reftools::decodeWav(bytes, audio, error)) return {};
  return audio.samples;
}

}  // namespace tooltest
