// One planned note, rest or direct sample, with every value the resampler and
// the wavtool are run with.
#pragma once

#include <cstdint>
#include <string>

namespace sondrel {

struct ResamplerArgs {
  bool skipResample = false;  // rests and direct samples: the wavtool reads the sample itself
  bool isRest = false;
  std::string inputPath;  // relative to the voice directory
  std::string cachePath;  // file name in the cache directory
  std::string noteName;
  double velocity = 100.0;
  std::string flags;
  double offset = 0;
  int32_t requiredLength = 0;  // ms, a multiple of 50
  double consonant = 0;
  double cutoff = 0;
  int32_t intensity = 100;
  int32_t modulation = 0;
  double tempo = 120.0;
  std::string tempoArg;
  std::string pitchString;
  std::string lyric;
};

struct WavtoolArgs {
  std::string wavInput;
  double wavOffset = 0;
  double startPoint = 0;
  double preUtterance = 0;
  std::string lengthArg;
  std::string envelopeArg;
};

struct RenderRequest {
  int32_t index = 0;
  int32_t cacheIndex = 0;
  ResamplerArgs resampler;
  WavtoolArgs wavtool;
};

}  // namespace sondrel
