#include <gtest/gtest.h>

#include <cmath>

#include "demo_bank/voice_synth.h"
#include "resampler/resampler_call.h"
#include "tool_test_support.h"

namespace {

using reftools::runResampler;

// A 220 Hz steady "a" of 0.6 s; its oto values: offset 20, consonant 30,
// cutoff 20 (cut from the end).
std::string writeVowel(const std::string& dir) {
  std::string path = dir + "/a.wav";
  reftools::writeWholeFile(path, reftools::encodeWav(reftools::synthesizeVowel('a', 220, 0.6)));
  return path;
}

std::vector<std::string> callFor(const std::string& in, const std::string& out,
                                 const std::string& note, const std::string& length,
                                 const std::string& pitch) {
  return {in, out, note, "100", "", "20", length, "30", "20", "100", "0", "!120.000000", pitch};
}

double hzOfNote(int note) { return 440.0 * std::exp2((note - 69) / 12.0); }

TEST(Resampler, SteadyVowelHasTargetFundamentalAndExactLength) {
  struct Case {
    const char* note;
    int number;
    const char* length;
    size_t samples;
  } cases[] = {
      {"A4", 69, "550", 24255},    // an octave up
      {"C4", 60, "600", 26460},
      {"E3", 52, "1250", 55125},   // down, stretched to twice the source
      {"A#3", 58, "330", 14553},
  };
  std::string dir = tooltest::scratchDir("steady");
  std::string in = writeVowel(dir);
  for (const Case& c : cases) {
    std::string out = dir + "/out.wav";
    std::string error;
    ASSERT_EQ(runResampler(callFor(in, out, c.note, c.length, ""), error), 0)
        << c.note << ": " << error;
    std::vector<float> note = tooltest::readWavSamples(out);
    EXPECT_EQ(note.size(), c.samples) << c.note << " " << c.length << " ms";
    size_t from = 2205, count = 8820;  // 200 ms after the consonant part
    double target = hzOfNote(c.number);
    double measured = tooltest::peakNear(note, from, count, target);
    EXPECT_NEAR(tooltest::centsBetween(measured, target), 0.0, 5.0)
        << c.note << ": measured " << measured << " Hz, expected " << target;
    // An octave-low result would also show a peak at the target (its second
    // harmonic); its fundamental would then dominate half the frequency.
    EXPECT_LT(tooltest::spectrumAt(note, from, count, target / 2),
              0.2 * tooltest::spectrumAt(note, from, count, measured))
        << c.note;
  }
}

TEST(Resampler, PitchStringBendMovesTheFundamental) {
  std::string dir = tooltest::scratchDir("bend");
  std::string in = writeVowel(dir);
  std::string out = dir + "/out.wav";
  // At tempo 120 one value covers 5 ticks = 5.208 ms: 96 values of 0 cents
  // (500 ms), then 96 of +300 cents ("Es" = 4 * 64 + 44).
  std::string pitch = "AA#95#Es#95#";
  std::string error;
  ASSERT_EQ(runResampler(callFor(in, out, "C4", "1000", pitch), error), 0) << error;
  std::vector<float> note = tooltest::readWavSamples(out);
  ASSERT_EQ(note.size(), 44100u);
  double base = hzOfNote(60), raised = hzOfNote(63);
  double first = tooltest::peakNear(note, 4410, 13230, base);
  double second = tooltest::peakNear(note, 26460, 13230, raised);
  EXPECT_NEAR(tooltest::centsBetween(first, base), 0.0, 5.0) << "before the bend: " << first;
  EXPECT_NEAR(tooltest::centsBetween(second, raised), 0.0, 5.0) << "after the bend: " << second;
}

TEST(Resampler, IntensityScalesTheVolume) {
  std::string dir = tooltest::scratchDir("intensity");
  std::string in = writeVowel(dir);
  std::vector<std::string> call = callFor(in, dir + "/full.wav", "A3", "500", "");
  std::string error;
  ASSERT_EQ(runResampler(call, error), 0) << error;
  call[1] = dir + "/half.wav";
  call[9] = "50";
  ASSERT_EQ(runResampler(call, error), 0) << error;
  std::vector<float> full = tooltest::readWavSamples(dir + "/full.wav");
  std::vector<float> half = tooltest::readWavSamples(dir + "/half.wav");
  ASSERT_EQ(full.size(), half.size());
  double fullEnergy = 0, halfEnergy = 0;
  for (size_t i = 0; i < full.size(); ++i) {
    fullEnergy += full[i] * full[i];
    halfEnergy += half[i] * half[i];
  }
  EXPECT_NEAR(std::sqrt(halfEnergy / fullEnergy), 0.5, 0.01);
}

double rmsOf(const std::vector<float>& x) {
  double sum = 0;
  for (float v : x) sum += v * v;
  return x.empty() ? 0 : std::sqrt(sum / x.size());
}

// Grains cut at a random phase of the period, or wider than the raised
// period, cancel each other and lose much of the sound.
TEST(Resampler, RaisedPitchKeepsTheLevel) {
  std::string dir = tooltest::scratchDir("level");
  std::string in = writeVowel(dir);
  std::string error;
  ASSERT_EQ(runResampler(callFor(in, dir + "/same.wav", "A3", "500", ""), error), 0) << error;
  double reference = rmsOf(tooltest::readWavSamples(dir + "/same.wav"));
  for (const char* note : {"E4", "A4", "C5"}) {
    ASSERT_EQ(runResampler(callFor(in, dir + "/up.wav", note, "500", ""), error), 0) << error;
    double ratio = rmsOf(tooltest::readWavSamples(dir + "/up.wav")) / reference;
    EXPECT_GT(ratio, 0.9) << note;
    EXPECT_LT(ratio, 1.6) << note;
  }
}

TEST(Resampler, HostileArgumentsFailWithoutOutput) {
  std::string dir = tooltest::scratchDir("hostile");
  std::string in = writeVowel(dir);
  std::string garbage = dir + "/garbage.wav";
  reftools::writeWholeFile(garbage, "RIFF\x10\0\0\0WAVEfmt \xff\xff\xff\x7f");
  std::string headerOnly = dir + "/header.wav";
  reftools::writeWholeFile(headerOnly, reftools::wavHeader(0));
  std::string out = dir + "/out.wav";
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
  } cases[] = {
      {"missing input", callFor(dir + "/none.wav", out, "C4", "500", "")},
      {"malformed WAV", callFor(garbage, out, "C4", "500", "")},
      {"WAV without samples", callFor(headerOnly, out, "C4", "500", "")},
      {"negative length", callFor(in, out, "C4", "-50", "")},
      {"absurd length", callFor(in, out, "C4", "1e12", "")},
      {"length not a number", callFor(in, out, "C4", "5x0", "")},
      {"note name", callFor(in, out, "H4", "500", "")},
      {"note beyond G9", callFor(in, out, "G#9", "500", "")},
      {"odd pitch string", callFor(in, out, "C4", "500", "AAA")},
      {"pitch character", callFor(in, out, "C4", "500", "A!")},
      {"mark before value", callFor(in, out, "C4", "500", "#3#AA")},
      {"unclosed mark", callFor(in, out, "C4", "500", "AA#3")},
      {"huge repeat", callFor(in, out, "C4", "500", "AA#99999999999999999999#")},
      {"offset past the end", {in, out, "C4", "100", "", "5000", "500", "0", "0", "100", "0",
                               "!120", ""}},
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

TEST(Resampler, ZeroTempoIsRefusedOnlyWithPitchValues) {
  std::string dir = tooltest::scratchDir("tempo");
  std::string in = writeVowel(dir);
  std::string error;
  std::vector<std::string> flat = callFor(in, dir + "/a.wav", "C4", "100", "");
  flat[11] = "!0.000000";
  EXPECT_EQ(runResampler(flat, error), 0) << error;
  std::vector<std::string> bent = callFor(in, dir + "/b.wav", "C4", "100", "AA");
  bent[11] = "!0.000000";
  EXPECT_EQ(runResampler(bent, error), 1);
}

}  // namespace
