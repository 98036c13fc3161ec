// Silent PCM WAV files of a given play time for the shell's tests.
#pragma once

#include <cstdint>
#include <string>

namespace shelltest {

// Mono, 8 bits, 8000 samples a second: 8 bytes a millisecond, so that a
// minute of sound stays small.
inline std::string silentWav(uint32_t milliseconds) {
  const uint32_t rate = 8000, dataSize = milliseconds * 8;
  auto put = [](std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
  };
  std::string wav = "RIFF";
  put(wav, 36 + dataSize, 4);
  wav += "WAVEfmt ";
  put(wav, 16, 4);
  put(wav, 1, 2);     // PCM
  put(wav, 1, 2);     // channels
  put(wav, rate, 4);  // sample rate
  put(wav, rate, 4);  // byte rate
  put(wav, 1, 2);     // block alignment
  put(wav, 8, 2);     // bits per sample
  wav += "data";
  put(wav, dataSize, 4);
  wav.append(dataSize, '\x80');
  return wav;
}

}  // namespace shelltest
