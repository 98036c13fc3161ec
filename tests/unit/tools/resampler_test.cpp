#include <gtest/gtest.h>

#include <cmath>

#include "demo_bank/voice_synth.h"
#include "resampler/resampler_call.h"
#include "tool_test_support.h"

namespace {

using reftools::runResampler;

// A steady "a" of 0.6 s at 220 Hz; its oto values: offset 20, consonant 30,
// cutoff 20 (cut from the end).
std::vector<std::string> callFor(const std::string& in, const std::string& out, const std::string& length,
                                 const std::string& pitch = "") {
  return {in, out, "C4", "100", "", "20", length, "30", "20", "100", "0", "!120.000000", pitch};
}

// Magnitude of the Hann-windowed spectrum of x[from, from + count) at hz.
double spectrumAt(const std::vector<float>& x, size_t from, size_t count, double hz) {
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
double peakNear(const std::vector<float>& x, size_t from, size_t count, double nearHz) {
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

double hzOfNote(int note) { return 440.0 * std::exp2((note - 69) / 12.0); }

double rmsOf(const std::vector<float>& x, size_t from, size_t count) {
  double sum = 0;
  for (size_t i = from; i < from + count; ++i) sum += x[i] * x[i];
  return std::sqrt(sum / count);
}

// One note stretched past its source: at tempo 120 a pitch value covers 5
// ticks = 5.208 ms, so 96 values of 0 cents (500 ms) hold C4, then 96 of
// +300 cents ("Es" = 4 * 64 + 44) raise it to D#4. The level follows the
// intensity (50 %) at either pitch: grains cut at a random phase of the
// period, or wider than the raised period, cancel each other and lose much
// of the sound.
TEST(Resampler, BentNoteHasExactLengthItsFundamentalsAndTheIntensitysLevel) {
  std::string dir = tooltest::scratchDir("bend"), in = dir + "/a.wav", out = dir + "/out.wav", error;
  std::vector<float> source = reftools::synthesizeVowel('a', 220, 0.6);
  reftools::writeWholeFile(in, reftools::encodeWav(source));
  std::vector<std::string> call = callFor(in, out, "1000", "AA#95#Es#95#");
  call[9] = "50";
  ASSERT_EQ(runResampler(call, error), 0) << error;
  std::vector<float> note = tooltest::readWavSamples(out);
  ASSERT_EQ(note.size(), 44100u);
  struct Part { const char* name; size_t from; int noteNumber; } parts[] = {{"before", 4410, 60}, {"after", 26460, 63}};
  for (const Part& part : parts) {
    double target = hzOfNote(part.noteNumber), measured = peakNear(note, part.from, 13230, target);
    EXPECT_NEAR(1200 * std::log2(measured / target), 0.0, 5.0) << part.name << " the bend: " << measured << " Hz";
    // An octave-low result would also show a peak at the target (its second
    // harmonic); its fundamental would then dominate half the frequency.
    EXPECT_LT(spectrumAt(note, part.from, 13230, target / 2),
              0.2 * spectrumAt(note, part.from, 13230, measured))
        << part.name;
    double level = rmsOf(note, part.from, 13230) / rmsOf(source, 4410, 13230);
    EXPECT_GT(level, 0.45) << part.name;
    EXPECT_LT(level, 0.8) << part.name;
  }
}

// How each argument is read is the fuzzer's part; here, that a call that
// cannot be carried out leaves no output.
TEST(Resampler, HostileArgumentsFailWithoutOutput) {
  std::string dir = tooltest::scratchDir("hostile");
  std::string in = dir + "/a.wav", out = dir + "/out.wav", garbage = dir + "/garbage.wav", headerOnly = dir + "/header.wav";
  reftools::writeWholeFile(in, reftools::encodeWav(reftools::synthesizeVowel('a', 220, 0.6)));
  reftools::writeWholeFile(garbage, "RIFF\x10\0\0\0WAVEfmt \xff\xff\xff\x7f");
  reftools::writeWholeFile(headerOnly, reftools::wavHeader(0));
  struct Case { const char* name; std::vector<std::string> arguments; } cases[] = {
      {"missing input", callFor(dir + "/none.wav", out, "500")},
      {"malformed WAV", callFor(garbage, out, "500")},
      {"WAV without samples", callFor(headerOnly, out, "500")},
      {"negative length", callFor(in, out, "-50")},
      {"offset past the end", {in, out, "C4", "100", "", "5000", "500", "0", "0", "100", "0", "!120", ""}},
      {"too few arguments", {in, out, "C4"}},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(out);
    std::string error;
    EXPECT_EQ(runResampler(c.arguments, error), 1) << c.name;
    EXPECT_FALSE(error.empty()) << c.name;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.name;
  }
}

}  // namespace
