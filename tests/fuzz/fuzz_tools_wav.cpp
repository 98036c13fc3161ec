// The reference tools' WAV reader on arbitrary bytes: it must accept or
// refuse without reading past the input or allocating beyond its limits.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/wav_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  reftools::Audio audio;
  std::string error;
  if (reftools::decodeWav(std::string_view(reinterpret_cast<const char*>(data), size), audio,
                          error)) {
    // Every decoded sample comes from the bytes: at most one per input byte,
    // times the 44.1 kHz conversion from the lowest accepted rate.
    if (audio.samples.size() > size * 6) __builtin_trap();
  }
  return 0;
}
