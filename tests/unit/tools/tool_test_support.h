// Helpers of the reference tool tests: scratch files and an independent
// measurement of a sound's fundamental.
#pragma once

#include <cmath>
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

// Magnitude of the Hann-windowed spectrum of x[from, from + count) at hz.
inline double spectrumAt(const std::vector<float>& x, size_t from, size_t count, double hz) {
  const double pi = 3.14159265358979323846;
  double re = 0, im = 0;
  for (size_t n = 0; n < count; ++n) {
    double w = 0.5 - 0.5 * std::cos(2 * pi * n / (count - 1));
    double phase = 2 * pi * hz * n / 44100.0;
    re += w * x[from + n] * std::cos(phase);
    im -= w * x[from + n] * std::sin(phase);
  }
  return std::sqrt(re * re + im * im);
}

// Frequency of the strongest spectral peak within a semitone of `nearHz`,
// found on a 0.5-cent grid. Measured independently of the resampler's own
// autocorrelation, so a fault there cannot hide itself.
inline double peakNear(const std::vector<float>& x, size_t from, size_t count, double nearHz) {
  double bestHz = nearHz, best = -1;
  for (double cents = -100; cents <= 100; cents += 0.5) {
    double hz = nearHz * std::exp2(cents / 1200);
    double magnitude = spectrumAt(x, from, count, hz);
    if (magnitude > best) {
      best = magnitude;
      bestHz = hz;
    }
  }
  return bestHz;
}

inline double centsBetween(double hz, double referenceHz) {
  return 1200 * std::log2(hz / referenceHz);
}

}  // namespace tooltest
