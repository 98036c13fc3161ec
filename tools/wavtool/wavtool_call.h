// The reference wavtool: appends one block of sound per call to a WAV that
// is kept in two parts, the header part (output + ".whd", a 44-byte header
// whose sizes always describe the data part) and the data part (output +
// ".dat", raw 44.1 kHz 16-bit mono samples), and joins them at the end.
//
// Arguments, in order (envelope values may be missing or empty):
//   output WAV, input WAV, start point (ms), length, then up to eleven
//   envelope values p1 p2 p3 v1 v2 v3 v4 overlap p4 p5 v5.
// See tools/README.md for what each one means.
#pragma once

#include <string>
#include <vector>

namespace reftools {

constexpr double kMaxBlockMs = 600000.0;
// The data part stays below 2 GiB so that every offset fits the 32-bit file
// positions of the C runtime on Windows.
constexpr size_t kMaxDataBytes = 0x7FFF0000;

struct Envelope {
  double p1 = 0, p2 = 0, p3 = 0;          // ms
  double v1 = 100, v2 = 100, v3 = 100, v4 = 100;  // percent
  double overlapMs = 0;
  double p4 = 0, p5 = 0;                  // ms
  double v5 = 100;                        // percent
  bool hasFifthPoint = false;
};

// One (time, volume) point of the envelope's polyline; times rise.
struct EnvelopePoint {
  double ms;
  double percent;
};

struct WavtoolCall {
  std::string outputPath;
  std::string inputPath;
  double startMs = 0;
  double lengthMs = 0;
  Envelope envelope;
};

// "ticks@tempo+ms", "ticks@tempo-ms", "ticks@tempo" or plain ms. A result
// below zero means an empty block (the caller treats it as 0).
bool parseLengthArgument(const std::string& text, double& lengthMs, std::string& error);

bool parseEnvelope(const std::vector<std::string>& values, Envelope& envelope, std::string& error);

// The polyline of a block of the given length: (p1, v1), (p1 + p2, v2),
// optionally (p1 + p2 + p5, v5), (length - p4 - p3, v3), (length - p4, v4),
// each time kept within the block and no earlier than the one before.
std::vector<EnvelopePoint> envelopePoints(const Envelope& envelope, double lengthMs);

// Volume (1.0 = unchanged) at a time of the block: linear between points,
// silent before the first point and after the last.
double envelopeGain(const std::vector<EnvelopePoint>& points, double ms);

bool parseWavtoolArguments(const std::vector<std::string>& arguments, WavtoolCall& call,
                           std::string& error);

// Whole call as the program and the library make it: 0 on success, 1 on
// failure with the reason in `error`.
int runWavtool(const std::vector<std::string>& arguments, std::string& error);

// Joins header part and data part byte for byte into the output; 0 on
// success, 1 when a part is missing or the output cannot be written (no
// output is left behind then).
int appendFiles(const std::string& headerPath, const std::string& dataPath,
                const std::string& outputPath, std::string& error);

}  // namespace reftools
