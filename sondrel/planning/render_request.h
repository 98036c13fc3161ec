// One planned note, rest or direct sample, with every value the resampler and
// the wavtool are run with.
#pragma once

#include <cstdint>
#include <string>

namespace sondrel {

// Rest: the lyric is exactly "R"; the wavtool appends silence. Direct: the
// note has a "$direct=" sample, which the wavtool reads as it is. Sung: the
// resampler makes the note's cache file, which the wavtool then reads.
enum class RequestKind { Sung, Rest, Direct };

// Filled for a sung note only; a rest and a direct sample keep these values
// but the lyric.
struct ResamplerArgs {
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
  RequestKind kind = RequestKind::Sung;
  int32_t index = 0;
  int32_t cacheIndex = 0;
  ResamplerArgs resampler;
  WavtoolArgs wavtool;
};

}  // namespace sondrel
