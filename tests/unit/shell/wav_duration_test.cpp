#include "shell/wav_duration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace sondrel {
namespace {

void putLittle(std::string& bytes, size_t offset, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

struct Header {
  uint32_t format = 1, channels = 1, sampleRate = 44100, bits = 16, dataSize = 0;
};

std::string header(const Header& h) {
  std::string bytes(kWavHeaderSize, '\0');
  putLittle(bytes, 20, h.format, 2);
  putLittle(bytes, 22, h.channels, 2);
  putLittle(bytes, 24, h.sampleRate, 4);
  putLittle(bytes, 34, h.bits, 2);
  putLittle(bytes, 40, h.dataSize, 4);
  return bytes;
}

TEST(WavHeaderDuration, ComputesMillisecondsFromDataSizeRateAndSampleSize) {
  struct Case {
    const char* name;
    Header h;
    double expected;
  } cases[] = {
      {"2 s mono 16-bit", {1, 1, 44100, 16, 176400}, 2000.0},
      {"channel count is not used", {1, 2, 44100, 16, 176400}, 2000.0},
      {"8-bit 8 kHz", {1, 1, 8000, 8, 4000}, 500.0},
      {"fraction kept", {1, 1, 44100, 16, 3}, 3 * 8 * 1000.0 / 16 / 44100},
      {"not PCM", {3, 1, 44100, 32, 176400}, 0.0},
      {"sample rate 0", {1, 1, 0, 16, 176400}, 0.0},
      {"bits per sample 0", {1, 1, 44100, 0, 176400}, 0.0},
  };
  for (const Case& c : cases) {
    double got = wavHeaderDurationMs(header(c.h), kWavHeaderSize + c.h.dataSize);
    EXPECT_DOUBLE_EQ(got, c.expected) << c.name;
  }
}

TEST(WavHeaderDuration, CountsOnlyTheDataTheFileHolds) {
  std::string bytes = header({1, 1, 1, 1, 0xFFFFFFFF});
  EXPECT_DOUBLE_EQ(wavHeaderDurationMs(bytes, kWavHeaderSize + 10), 10 * 8 * 1000.0);
  EXPECT_EQ(wavHeaderDurationMs(bytes, kWavHeaderSize), 0.0);
}

TEST(WavHeaderDuration, ShortFilesGiveZero) {
  std::string bytes = header({1, 1, 44100, 16, 176400});
  EXPECT_EQ(wavHeaderDurationMs(bytes.substr(0, kWavHeaderSize - 1), 1000), 0.0);
  EXPECT_EQ(wavHeaderDurationMs(bytes, kWavHeaderSize - 1), 0.0);
  EXPECT_EQ(wavHeaderDurationMs("", 0), 0.0);
}

TEST(PlaybackTimerPeriod, AddsOneSecondToTheTruncatedDuration) {
  struct Case {
    double durationMs;
    uint32_t expected;
  } cases[] = {
      {2000.0, 3000}, {1999.9, 2999}, {0.0, 1000}, {-5.0, 1000}, {NAN, 1000},
      {2147482646.0, 2147483646}, {2147482647.0, 0x7FFFFFFF}, {4.3e13, 0x7FFFFFFF}, {INFINITY, 0x7FFFFFFF},
  };
  for (const Case& c : cases) EXPECT_EQ(playbackTimerPeriodMs(c.durationMs), c.expected) << "duration " << c.durationMs;
}

}  // namespace
}  // namespace sondrel
