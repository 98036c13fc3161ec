#include "shell/wav_duration.h"

#include <gtest/gtest.h>

#include <cmath>

#include "wav_bytes.h"

namespace sondrel {
namespace {

using wavbytes::header;

TEST(WavHeaderDuration, ComputesMillisecondsOrZeroForHeadersThatLie) {
  const uint64_t full = ~0ull;  // a file that holds all the data the header claims
  struct Case { const char* name; std::string header; uint64_t fileSize; double expected; } cases[] = {
      {"2 s mono 16-bit", header(1, 1, 44100, 16, 176400), full, 2000.0},
      {"channel count is not used", header(1, 2, 44100, 16, 176400), full, 2000.0},
      {"fraction kept", header(1, 1, 44100, 16, 3), full, 3 * 8 * 1000.0 / 16 / 44100},
      {"not PCM", header(3, 1, 44100, 32, 176400), full, 0.0},
      {"sample rate 0", header(1, 1, 0, 16, 176400), full, 0.0},
      {"bits per sample 0", header(1, 1, 44100, 0, 176400), full, 0.0},
      {"data beyond the file", header(1, 1, 1, 1, 0xFFFFFFFF), 54, 10 * 8 * 1000.0},
      {"header cut short", header(1, 1, 44100, 16, 176400).substr(0, 43), full, 0.0},
      {"file shorter than a header", header(1, 1, 44100, 16, 176400), 43, 0.0},
  };
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(wavHeaderDurationMs(c.header, c.fileSize), c.expected) << c.name;
}

TEST(PlaybackTimerPeriod, AddsOneSecondToTheTruncatedDurationWithinTimerRange) {
  struct Case { double durationMs; uint32_t expected; } cases[] = {
      {2000.0, 3000}, {1999.9, 2999}, {NAN, 1000}, {2147482646.0, 2147483646}, {2147482647.0, 0x7FFFFFFF},
      {INFINITY, 0x7FFFFFFF},
  };
  for (const Case& c : cases) EXPECT_EQ(playbackTimerPeriodMs(c.durationMs), c.expected) << "duration " << c.durationMs;
}

}  // namespace
}  // namespace sondrel
