#include "shell/wav_duration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace sondrel {
namespace {

struct Header {
  uint32_t format, channels, sampleRate, bits, dataSize;
};

std::string header(const Header& h) {
  std::string bytes(kWavHeaderSize, '\0');
  auto put = [&](size_t offset, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i) & 0xFF);
  };
  put(20, h.format, 2);
  put(22, h.channels, 2);
  put(24, h.sampleRate, 4);
  put(34, h.bits, 2);
  put(40, h.dataSize, 4);
  return bytes;
}

TEST(WavHeaderDuration, ComputesMillisecondsOrZeroForHeadersThatLie) {
  const uint64_t full = ~0ull;  // a file that holds all the data the header claims
  struct Case {
    const char* name;
    Header h;
    size_t headerBytes;
    uint64_t fileSize;
    double expected;
  } cases[] = {
      {"2 s mono 16-bit", {1, 1, 44100, 16, 176400}, 44, full, 2000.0},
      {"channel count is not used", {1, 2, 44100, 16, 176400}, 44, full, 2000.0},
      {"fraction kept", {1, 1, 44100, 16, 3}, 44, full, 3 * 8 * 1000.0 / 16 / 44100},
      {"not PCM", {3, 1, 44100, 32, 176400}, 44, full, 0.0},
      {"sample rate 0", {1, 1, 0, 16, 176400}, 44, full, 0.0},
      {"bits per sample 0", {1, 1, 44100, 0, 176400}, 44, full, 0.0},
      {"data beyond the file", {1, 1, 1, 1, 0xFFFFFFFF}, 44, 54, 10 * 8 * 1000.0},
      {"header only", {1, 1, 1, 1, 0xFFFFFFFF}, 44, 44, 0.0},
      {"header cut short", {1, 1, 44100, 16, 176400}, 43, full, 0.0},
      {"file shorter than a header", {1, 1, 44100, 16, 176400}, 44, 43, 0.0},
  };
  for (const Case& c : cases) {
    double got = wavHeaderDurationMs(header(c.h).substr(0, c.headerBytes), c.fileSize);
    EXPECT_DOUBLE_EQ(got, c.expected) << c.name;
  }
}

TEST(PlaybackTimerPeriod, AddsOneSecondToTheTruncatedDurationWithinTimerRange) {
  struct Case {
    double durationMs;
    uint32_t expected;
  } cases[] = {
      {2000.0, 3000}, {1999.9, 2999}, {0.0, 1000}, {NAN, 1000},
      {2147482646.0, 2147483646}, {2147482647.0, 0x7FFFFFFF}, {4.3e13, 0x7FFFFFFF}, {INFINITY, 0x7FFFFFFF},
  };
  for (const Case& c : cases) EXPECT_EQ(playbackTimerPeriodMs(c.durationMs), c.expected) << "duration " << c.durationMs;
}

}  // namespace
}  // namespace sondrel
