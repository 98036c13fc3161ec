// The reference tools' argument readers on arbitrary text: the pitch string
// decoder, the wavtool length and the note name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "resampler/pitch_string.h"
#include "resampler/resampler_call.h"
#include "wavtool/wavtool_call.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<int32_t> values;
  std::string error;
  if (reftools::decodePitchString(text, values, error)) {
    if (values.size() > reftools::kMaxPitchValues) __builtin_trap();
    for (int32_t v : values)
      if (v < -2048 || v > 2047) __builtin_trap();
  }
  double ms = 0;
  reftools::parseLengthArgument(text, ms, error);
  int note = 0;
  if (reftools::parseNoteName(text, note) && (note < 0 || note > 127)) __builtin_trap();
  return 0;
}
