#include "shell/wav_duration.h"

#include <algorithm>

namespace sondrel {
namespace {

// Little-endian fields of the header; the caller has checked the length.
uint32_t readLittle16(std::string_view bytes, size_t offset) {
  return static_cast<uint32_t>(static_cast<unsigned char>(bytes[offset])) |
         static_cast<uint32_t>(static_cast<unsigned char>(bytes[offset + 1])) << 8;
}

uint32_t readLittle32(std::string_view bytes, size_t offset) {
  return readLittle16(bytes, offset) | readLittle16(bytes, offset + 2) << 16;
}

constexpr uint32_t kPcmFormat = 1;
constexpr uint32_t kTimerMaximumMs = 0x7FFFFFFF;
constexpr uint32_t kAfterSoundMs = 1000;

}  // namespace

double wavHeaderDurationMs(std::string_view header, uint64_t fileSize) {
  if (header.size() < kWavHeaderSize || fileSize < kWavHeaderSize) return 0.0;
  if (readLittle16(header, 20) != kPcmFormat) return 0.0;
  uint32_t sampleRate = readLittle32(header, 24);
  uint32_t bitsPerSample = readLittle16(header, 34);
  if (sampleRate == 0 || bitsPerSample == 0) return 0.0;
  uint64_t dataSize = std::min<uint64_t>(readLittle32(header, 40), fileSize - kWavHeaderSize);
  return static_cast<double>(dataSize) * 8.0 * 1000.0 / bitsPerSample / sampleRate;
}

uint32_t playbackTimerPeriodMs(double durationMs) {
  if (!(durationMs > 0.0)) return kAfterSoundMs;
  if (durationMs >= static_cast<double>(kTimerMaximumMs - kAfterSoundMs)) return kTimerMaximumMs;
  return static_cast<uint32_t>(durationMs) + kAfterSoundMs;
}

}  // namespace sondrel
