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

std::vector<std::string> callFor(const std::string& in, const std::string& out, const std::string& note,
                                 const std::string& length, const std::string& pitch = "") {
  return {in, out, note, "100", "", "20", length, "30", "20", "100", "0", "!120.000000", pitch};
}

double hzOfNote(int note) { return 440.0 * std::exp2((note - 69) / 12.0); }

double rmsOf(const std::vector<float>& x) {
  double sum = 0;
  for (float v : x) sum += v * v;
  return x.empty() ? 0 : std::sqrt(sum / x.size());
}

TEST(Resampler, SteadyVowelHasTargetFundamentalAndExactLength) {
  struct Case { const char* note; int number; const char* length; size_t samples; } cases[] = {
      {"A4", 69, "550", 24255},   // an octave up
      {"E3", 52, "1250", 55125},  // down, stretched to twice the source
      {"A#3", 58, "330", 14553},
  };
  std::string dir = tooltest::scratchDir("steady");
  std::string in = writeVowel(dir), out = dir + "/out.wav";
  for (const Case& c : cases) {
    std::string error;
    ASSERT_EQ(runResampler(callFor(in, out, c.note, c.length), error), 0) << c.note << ": " << error;
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
  std::string out = dir + "/out.wav", error;
  // At tempo 120 one value covers 5 ticks = 5.208 ms: 96 values of 0 cents
  // (500 ms), then 96 of +300 cents ("Es" = 4 * 64 + 44).
  ASSERT_EQ(runResampler(callFor(writeVowel(dir), out, "C4", "1000", "AA#95#Es#95#"), error), 0) << error;
  std::vector<float> note = tooltest::readWavSamples(out);
  ASSERT_EQ(note.size(), 44100u);
  double base = hzOfNote(60), raised = hzOfNote(63);
  double first = tooltest::peakNear(note, 4410, 13230, base), second = tooltest::peakNear(note, 26460, 13230, raised);
  EXPECT_NEAR(tooltest::centsBetween(first, base), 0.0, 5.0) << "before the bend: " << first;
  EXPECT_NEAR(tooltest::centsBetween(second, raised), 0.0, 5.0) << "after the bend: " << second;
}

// The level follows the intensity and nothing else: grains cut at a random
// phase of the period, or wider than the raised period, cancel each other and
// lose much of the sound.
TEST(Resampler, LevelFollowsTheIntensityAtAnyPitch) {
  struct Case { const char* note; const char* intensity; double low, high; } cases[] = {
      {"A3", "50", 0.49, 0.51}, {"E4", "100", 0.9, 1.6}, {"C5", "100", 0.9, 1.6},
  };
  std::string dir = tooltest::scratchDir("level");
  std::string in = writeVowel(dir), out = dir + "/out.wav", error;
  ASSERT_EQ(runResampler(callFor(in, out, "A3", "500"), error), 0) << error;
  double reference = rmsOf(tooltest::readWavSamples(out));
  for (const Case& c : cases) {
    std::vector<std::string> call = callFor(in, out, c.note, "500");
    call[9] = c.intensity;
    ASSERT_EQ(runResampler(call, error), 0) << error;
    double ratio = rmsOf(tooltest::readWavSamples(out)) / reference;
    EXPECT_GT(ratio, c.low) << c.note << " at intensity " << c.intensity;
    EXPECT_LT(ratio, c.high) << c.note << " at intensity " << c.intensity;
  }
}

TEST(Resampler, HostileArgumentsFailWithoutOutput) {
  std::string dir = tooltest::scratchDir("hostile");
  std::string in = writeVowel(dir), out = dir + "/out.wav";
  std::string garbage = dir + "/garbage.wav", headerOnly = dir + "/header.wav";
  reftools::writeWholeFile(garbage, "RIFF\x10\0\0\0WAVEfmt \xff\xff\xff\x7f");
  reftools::writeWholeFile(headerOnly, reftools::wavHeader(0));
  std::vector<std::string> zeroTempo = callFor(in, out, "C4", "100", "AA");
  zeroTempo[11] = "!0.000000";
  struct Case { const char* name; std::vector<std::string> arguments; } cases[] = {
      {"missing input", callFor(dir + "/none.wav", out, "C4", "500")},
      {"malformed WAV", callFor(garbage, out, "C4", "500")},
      {"WAV without samples", callFor(headerOnly, out, "C4", "500")},
      {"negative length", callFor(in, out, "C4", "-50")},
      {"absurd length", callFor(in, out, "C4", "1e12")},
      {"length not a number", callFor(in, out, "C4", "5x0")},
      {"note beyond G9", callFor(in, out, "G#9", "500")},
      {"malformed pitch string", callFor(in, out, "C4", "500", "AA#3")},
      {"zero tempo with pitch values", zeroTempo},
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
  // Without pitch values the tempo is never used, so 0 is no error.
  zeroTempo[12] = "";
  std::string error;
  EXPECT_EQ(runResampler(zeroTempo, error), 0) << error;
}

}  // namespace
