// WAV files as the reference tools read and write them.
//
// Reading works on bytes: RIFF/WAVE with a "fmt " chunk of integer PCM (8, 16,
// 24 or 32 bits), 32-bit float, or the extensible form of either, one to
// eight channels mixed down to mono, any rate from 8 kHz to 192 kHz converted
// to 44.1 kHz. Every size read from the file is checked against the bytes
// really there; a data chunk that claims more than the file holds is read as
// far as it goes (writers that crash leave such files).
//
// Writing always gives 44.1 kHz, 16-bit, mono PCM with the plain 44-byte
// header, so the wavtool can keep a header part and a data part apart and
// join them by concatenation.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace reftools {

constexpr int kSampleRate = 44100;
constexpr size_t kWavHeaderSize = 44;

// Refuses sources of more than 10 minutes: no voice sample is that long, and
// the limit keeps a hostile file from exhausting the address space of a
// 32-bit host that loads the tool libraries.
constexpr size_t kMaxSourceSamples = size_t{kSampleRate} * 60 * 10;

// Mono samples at 44.1 kHz, full scale = 1.0.
struct Audio {
  std::vector<float> samples;
};

// False with a reason in `error` when the bytes are not a WAV file this
// reader accepts.
bool decodeWav(std::string_view bytes, Audio& audio, std::string& error);

// The 44-byte header of a 44.1 kHz 16-bit mono file with `dataBytes` of data.
std::string wavHeader(uint32_t dataBytes);

// Samples as 16-bit little-endian PCM; values beyond full scale saturate.
std::string encodePcm16(const std::vector<float>& samples);

// Header and data of a complete 44.1 kHz 16-bit mono file.
std::string encodeWav(const std::vector<float>& samples);

}  // namespace reftools
