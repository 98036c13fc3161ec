#include "wavtool/wavtool_call.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "common/tool_text.h"
#include "common/wav_format.h"

namespace reftools {
namespace {

constexpr double kSamplesPerMs = kSampleRate / 1000.0;

size_t msToSamples(double ms) { return static_cast<size_t>(std::llround(ms * kSamplesPerMs)); }

// Owns a C stream so that every early return closes it.
class File {
 public:
  File(const std::string& path, const char* mode) : file_(std::fopen(path.c_str(), mode)) {}
  ~File() {
    if (file_) std::fclose(file_);
  }
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  std::FILE* get() const { return file_; }
  bool close() {
    bool ok = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok;
  }

 private:
  std::FILE* file_;
};

int16_t readSample(const std::string& bytes, size_t i) {
  return static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                              static_cast<uint8_t>(bytes[2 * i + 1]) << 8);
}

// The block's sound, sample by sample: the input from the start point on,
// shaped by the envelope; outside the input (or without one) it is silence.
class BlockSound {
 public:
  BlockSound(const WavtoolCall& call, const std::vector<float>& input)
      : input_(input),
        points_(envelopePoints(call.envelope, call.lengthMs)),
        first_(call.startMs * kSamplesPerMs) {}

  float at(size_t i) const {
    double position = std::round(first_ + static_cast<double>(i));
    if (position < 0 || position >= static_cast<double>(input_.size())) return 0.0f;
    double gain = envelopeGain(points_, static_cast<double>(i) / kSamplesPerMs);
    return static_cast<float>(input_[static_cast<size_t>(position)] * gain);
  }

 private:
  const std::vector<float>& input_;
  std::vector<EnvelopePoint> points_;
  double first_;
};

// Mixes the block into the data part's tail over the overlap and appends the
// rest, then rewrites the header part for the new size. Works through the
// block in slices so that a long rest costs no more memory than a short one.
bool appendBlock(const WavtoolCall& call, const BlockSound& sound, std::string& error) {
  std::string dataPath = call.outputPath + ".dat";
  std::string headerPath = call.outputPath + ".whd";
  size_t existingBytes = 0;
  {
    File probe(dataPath, "rb");
    if (probe.get()) {
      if (std::fseek(probe.get(), 0, SEEK_END) != 0) {
        error = "cannot measure " + dataPath;
        return false;
      }
      long size = std::ftell(probe.get());
      if (size < 0 || size % 2 != 0 || static_cast<size_t>(size) > kMaxDataBytes) {
        error = dataPath + " is not a data part of 16-bit samples";
        return false;
      }
      existingBytes = static_cast<size_t>(size);
    }
  }
  size_t existingSamples = existingBytes / 2;
  size_t length = msToSamples(call.lengthMs);
  // An overlap longer than everything so far starts the block at the
  // beginning instead of cutting off its front.
  size_t overlap = std::min(msToSamples(call.envelope.overlapMs), existingSamples);
  size_t start = existingSamples - overlap;
  size_t end = std::max(existingSamples, start + length);
  if (end * 2 > kMaxDataBytes) {
    error = "output would exceed 2 GiB";
    return false;
  }

  File data(dataPath, existingBytes > 0 ? "r+b" : "wb");
  if (!data.get()) {
    error = "cannot open " + dataPath;
    return false;
  }
  const size_t kSlice = 65536;
  for (size_t done = 0; done < length; done += kSlice) {
    size_t count = std::min(kSlice, length - done);
    long offset = static_cast<long>((start + done) * 2);
    std::vector<float> samples(count, 0.0f);
    size_t mixed = done < overlap ? std::min(count, overlap - done) : 0;
    if (mixed > 0) {
      std::string tail(mixed * 2, '\0');
      if (std::fseek(data.get(), offset, SEEK_SET) != 0 ||
          std::fread(&tail[0], 1, tail.size(), data.get()) != tail.size()) {
        error = "cannot read " + dataPath;
        return false;
      }
      for (size_t i = 0; i < mixed; ++i) samples[i] = readSample(tail, i) / 32768.0f;
    }
    for (size_t i = 0; i < count; ++i) samples[i] += sound.at(done + i);
    std::string bytes = encodePcm16(samples);
    // A stream switching from reading to writing must seek in between.
    if (std::fseek(data.get(), offset, SEEK_SET) != 0 ||
        std::fwrite(bytes.data(), 1, bytes.size(), data.get()) != bytes.size()) {
      error = "cannot write " + dataPath;
      return false;
    }
  }
  if (!data.close()) {
    error = "cannot write " + dataPath;
    return false;
  }
  if (!writeWholeFile(headerPath, wavHeader(static_cast<uint32_t>(end * 2)))) {
    error = "cannot write " + headerPath;
    return false;
  }
  return true;
}

}  // namespace

bool parseLengthArgument(const std::string& text, double& lengthMs, std::string& error) {
  size_t at = text.find('@');
  if (at == std::string::npos) return parseArgument(text, "length", lengthMs, error);
  double ticks = 0, tempo = 0, extra = 0;
  std::string rest = text.substr(at + 1);
  size_t sign = rest.find_first_of("+-", 1);
  std::string tempoText = rest.substr(0, sign);
  if (!parseArgument(text.substr(0, at), "length ticks", ticks, error) ||
      !parseArgument(tempoText, "length tempo", tempo, error) ||
      (sign != std::string::npos && !parseArgument(rest.substr(sign), "length ms", extra, error)))
    return false;
  if (!(tempo > 0)) {
    error = "length tempo must be above 0";
    return false;
  }
  // 480 ticks to a beat: one tick lasts 125 / tempo ms.
  lengthMs = ticks * 1000.0 / tempo * 0.125 + extra;
  if (!std::isfinite(lengthMs)) {
    error = "length out of range";
    return false;
  }
  return true;
}

bool parseEnvelope(const std::vector<std::string>& values, Envelope& envelope, std::string& error) {
  static const char* const kNames[] = {"p1", "p2", "p3", "v1", "v2", "v3",
                                       "v4", "overlap", "p4", "p5", "v5"};
  double* const fields[] = {&envelope.p1, &envelope.p2, &envelope.p3, &envelope.v1,
                            &envelope.v2, &envelope.v3, &envelope.v4, &envelope.overlapMs,
                            &envelope.p4, &envelope.p5, &envelope.v5};
  // Values past the eleventh have no meaning here and are ignored.
  size_t count = std::min<size_t>(values.size(), 11);
  for (size_t i = 0; i < count; ++i) {
    if (values[i].empty()) continue;
    std::string name = std::string("envelope ") + kNames[i];
    if (!parseArgument(values[i], name.c_str(), *fields[i], error)) return false;
    if (i == 9) envelope.hasFifthPoint = true;
  }
  for (double* time : {&envelope.p1, &envelope.p2, &envelope.p3, &envelope.overlapMs,
                       &envelope.p4, &envelope.p5})
    *time = clampTo(*time, 0, kMaxBlockMs);
  for (double* volume : {&envelope.v1, &envelope.v2, &envelope.v3, &envelope.v4, &envelope.v5})
    *volume = clampTo(*volume, 0, 200);
  return true;
}

std::vector<EnvelopePoint> envelopePoints(const Envelope& envelope, double lengthMs) {
  std::vector<EnvelopePoint> points = {{envelope.p1, envelope.v1},
                                       {envelope.p1 + envelope.p2, envelope.v2}};
  if (envelope.hasFifthPoint)
    points.push_back({envelope.p1 + envelope.p2 + envelope.p5, envelope.v5});
  points.push_back({lengthMs - envelope.p4 - envelope.p3, envelope.v3});
  points.push_back({lengthMs - envelope.p4, envelope.v4});
  double floor = 0;
  for (EnvelopePoint& point : points) {
    point.ms = clampTo(point.ms, floor, std::max(lengthMs, 0.0));
    floor = point.ms;
  }
  return points;
}

double envelopeGain(const std::vector<EnvelopePoint>& points, double ms) {
  if (points.empty() || ms < points.front().ms || ms > points.back().ms) return 0.0;
  for (size_t i = 1; i < points.size(); ++i) {
    const EnvelopePoint& a = points[i - 1];
    const EnvelopePoint& b = points[i];
    if (ms > b.ms) continue;
    double span = b.ms - a.ms;
    double percent = span > 0 ? a.percent + (b.percent - a.percent) * (ms - a.ms) / span : b.percent;
    return percent / 100.0;
  }
  return points.back().percent / 100.0;
}

bool parseWavtoolArguments(const std::vector<std::string>& arguments, WavtoolCall& call,
                           std::string& error) {
  if (arguments.size() < 4) {
    error = "expected output, input, start point, length and envelope values";
    return false;
  }
  call.outputPath = arguments[0];
  call.inputPath = arguments[1];
  if (call.outputPath.empty()) {
    error = "empty output path";
    return false;
  }
  if (!parseArgument(arguments[2], "start point", call.startMs, error) ||
      !parseLengthArgument(arguments[3], call.lengthMs, error) ||
      !parseEnvelope(std::vector<std::string>(arguments.begin() + 4, arguments.end()),
                     call.envelope, error))
    return false;
  if (std::fabs(call.startMs) > kMaxBlockMs || call.lengthMs > kMaxBlockMs) {
    error = "start point or length beyond 600000 ms";
    return false;
  }
  call.lengthMs = std::max(call.lengthMs, 0.0);
  return true;
}

int runWavtool(const std::vector<std::string>& arguments, std::string& error) {
  WavtoolCall call;
  if (!parseWavtoolArguments(arguments, call, error)) return 1;
  // A missing input is a rest: silence of the block's length.
  Audio input;
  bool inputBroken = false;
  std::string bytes;
  if (!call.inputPath.empty() && readWholeFile(call.inputPath, bytes) &&
      !decodeWav(bytes, input, error)) {
    error = call.inputPath + ": " + error;
    inputBroken = true;
  }
  // A broken input still takes its place in the song as silence, so the notes
  // after it stay in time; the call reports the failure all the same.
  std::string appendError;
  if (!appendBlock(call, BlockSound(call, input.samples), appendError)) {
    error = appendError;
    return 1;
  }
  return inputBroken ? 1 : 0;
}

int appendFiles(const std::string& headerPath, const std::string& dataPath,
                const std::string& outputPath, std::string& error) {
  std::string header, data;
  if (!readWholeFile(headerPath, header) || !readWholeFile(dataPath, data)) {
    error = "missing header part or data part";
    return 1;
  }
  if (!writeWholeFile(outputPath, header + data)) {
    std::remove(outputPath.c_str());
    error = "cannot write " + outputPath;
    return 1;
  }
  return 0;
}

}  // namespace reftools
