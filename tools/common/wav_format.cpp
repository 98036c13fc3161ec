#include "common/wav_format.h"

#include <cmath>
#include <cstring>

namespace reftools {
namespace {

uint32_t readU32(std::string_view bytes, size_t at) {
  return static_cast<uint32_t>(static_cast<uint8_t>(bytes[at])) |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<uint8_t>(bytes[at + 3])) << 24;
}

uint16_t readU16(std::string_view bytes, size_t at) {
  return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) |
                               static_cast<uint8_t>(bytes[at + 1]) << 8);
}

void putU32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void putU16(std::string& out, uint16_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>(value >> 8));
}

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;

struct Format {
  uint16_t tag = 0;
  uint16_t channels = 0;
  uint32_t rate = 0;
  uint16_t blockAlign = 0;
  uint16_t bits = 0;
};

bool readFormat(std::string_view chunk, Format& format, std::string& error) {
  if (chunk.size() < 16) {
    error = "format chunk too short";
    return false;
  }
  format.tag = readU16(chunk, 0);
  format.channels = readU16(chunk, 2);
  format.rate = readU32(chunk, 4);
  format.blockAlign = readU16(chunk, 12);
  format.bits = readU16(chunk, 14);
  if (format.tag == kFormatExtensible) {
    // The sub-format GUID begins with the plain format tag.
    if (chunk.size() < 26) {
      error = "extensible format chunk too short";
      return false;
    }
    format.tag = readU16(chunk, 24);
  }
  bool pcm = format.tag == kFormatPcm &&
             (format.bits == 8 || format.bits == 16 || format.bits == 24 || format.bits == 32);
  bool floating = format.tag == kFormatFloat && format.bits == 32;
  if (!pcm && !floating) {
    error = "unsupported sample format";
    return false;
  }
  if (format.channels < 1 || format.channels > 8) {
    error = "unsupported channel count";
    return false;
  }
  if (format.rate < 8000 || format.rate > 192000) {
    error = "unsupported sample rate";
    return false;
  }
  if (format.blockAlign != format.channels * (format.bits / 8)) {
    error = "block size does not match the format";
    return false;
  }
  return true;
}

float sampleAt(std::string_view data, size_t at, const Format& format) {
  switch (format.bits) {
    case 8:
      return (static_cast<float>(static_cast<uint8_t>(data[at])) - 128.0f) / 128.0f;
    case 16:
      return static_cast<float>(static_cast<int16_t>(readU16(data, at))) / 32768.0f;
    case 24: {
      uint32_t raw = static_cast<uint32_t>(static_cast<uint8_t>(data[at])) |
                     static_cast<uint32_t>(static_cast<uint8_t>(data[at + 1])) << 8 |
                     static_cast<uint32_t>(static_cast<uint8_t>(data[at + 2])) << 16;
      int32_t value = static_cast<int32_t>(raw << 8) / 256;
      return static_cast<float>(value) / 8388608.0f;
    }
    default:
      break;
  }
  uint32_t raw = readU32(data, at);
  if (format.tag == kFormatPcm)
    return static_cast<float>(static_cast<double>(static_cast<int32_t>(raw)) / 2147483648.0);
  float value;
  std::memcpy(&value, &raw, sizeof value);
  // NaN and infinities would poison every later sum; a broken sample is silence.
  if (!std::isfinite(value)) return 0.0f;
  return value;
}

// Linear interpolation is enough here: the demo bank and the resampler's own
// output are already at 44.1 kHz, other rates are a courtesy.
std::vector<float> toOutputRate(const std::vector<float>& in, uint32_t rate) {
  if (rate == static_cast<uint32_t>(kSampleRate) || in.empty()) return in;
  size_t count = static_cast<size_t>(static_cast<double>(in.size()) * kSampleRate / rate);
  std::vector<float> out(count);
  double step = static_cast<double>(rate) / kSampleRate;
  for (size_t i = 0; i < count; ++i) {
    double position = static_cast<double>(i) * step;
    size_t left = static_cast<size_t>(position);
    double fraction = position - static_cast<double>(left);
    float a = in[left < in.size() ? left : in.size() - 1];
    float b = in[left + 1 < in.size() ? left + 1 : in.size() - 1];
    out[i] = static_cast<float>(a + (b - a) * fraction);
  }
  return out;
}

}  // namespace

bool decodeWav(std::string_view bytes, Audio& audio, std::string& error) {
  audio.samples.clear();
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
    error = "not a RIFF WAVE file";
    return false;
  }
  Format format;
  bool haveFormat = false;
  std::string_view data;
  bool haveData = false;
  size_t at = 12;
  while (at + 8 <= bytes.size()) {
    std::string_view id = bytes.substr(at, 4);
    size_t size = readU32(bytes, at + 4);
    size_t body = at + 8;
    size_t available = bytes.size() - body;
    if (id == "fmt ") {
      if (size > available) {
        error = "format chunk runs past the end of the file";
        return false;
      }
      if (!readFormat(bytes.substr(body, size), format, error)) return false;
      haveFormat = true;
    } else if (id == "data") {
      data = bytes.substr(body, size < available ? size : available);
      haveData = true;
      break;
    }
    if (size > available) break;
    // Chunks are padded to an even size.
    at = body + size + (size & 1);
  }
  if (!haveFormat || !haveData) {
    error = haveFormat ? "no data chunk" : "no format chunk before the data";
    return false;
  }
  size_t frames = data.size() / format.blockAlign;
  if (frames > kMaxSourceSamples / kSampleRate * format.rate) {
    error = "sound too long";
    return false;
  }
  std::vector<float> mono(frames);
  size_t bytesPerSample = format.bits / 8;
  for (size_t frame = 0; frame < frames; ++frame) {
    float sum = 0.0f;
    for (size_t channel = 0; channel < format.channels; ++channel)
      sum += sampleAt(data, frame * format.blockAlign + channel * bytesPerSample, format);
    mono[frame] = sum / static_cast<float>(format.channels);
  }
  audio.samples = toOutputRate(mono, format.rate);
  return true;
}

std::string wavHeader(uint32_t dataBytes) {
  std::string out;
  out.reserve(kWavHeaderSize);
  out += "RIFF";
  // The RIFF size counts everything after its own field; a data part near
  // 4 GiB cannot be described, so the size saturates.
  putU32(out, dataBytes > 0xFFFFFFFFu - 36 ? 0xFFFFFFFFu : dataBytes + 36);
  out += "WAVEfmt ";
  putU32(out, 16);
  putU16(out, kFormatPcm);
  putU16(out, 1);
  putU32(out, kSampleRate);
  putU32(out, kSampleRate * 2);
  putU16(out, 2);
  putU16(out, 16);
  out += "data";
  putU32(out, dataBytes);
  return out;
}

std::string encodePcm16(const std::vector<float>& samples) {
  std::string out;
  out.reserve(samples.size() * 2);
  for (float sample : samples) {
    float scaled = sample * 32768.0f;
    int32_t value;
    if (!(scaled > -32768.0f)) value = -32768;
    else if (scaled >= 32767.0f) value = 32767;
    else value = static_cast<int32_t>(std::lrint(scaled));
    putU16(out, static_cast<uint16_t>(static_cast<int16_t>(value)));
  }
  return out;
}

std::string encodeWav(const std::vector<float>& samples) {
  std::string data = encodePcm16(samples);
  return wavHeader(static_cast<uint32_t>(data.size())) + data;
}

}  // namespace reftools
