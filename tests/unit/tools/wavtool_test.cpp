#include <gtest/gtest.h>

#include "tool_test_support.h"
#include "wavtool/wavtool_call.h"

namespace {

using reftools::runWavtool;

// One second of a constant level, so that envelopes and mixing can be read
// straight off the samples.
std::string writeLevel(const std::string& dir, float level) {
  std::string path = dir + "/level.wav";
  reftools::writeWholeFile(path, reftools::encodeWav(std::vector<float>(44100, level)));
  return path;
}

std::string fileBytes(const std::string& path) {
  std::string bytes;
  reftools::readWholeFile(path, bytes);
  return bytes;
}

TEST(Wavtool, BlocksWithOverlapsAndRestsKeepHeaderAndDurationRight) {
  std::string dir = tooltest::scratchDir("sequence");
  std::string in = writeLevel(dir, 0.25f), out = dir + "/song.wav";
  struct Step { const char* name; std::vector<std::string> arguments; size_t samplesAfter; } steps[] = {
      // 510 ms; the overlap of 30 ms has nothing before it to mix into.
      {"first note", {out, in, "0", "480@120.00+10.000", "0", "5", "35", "0", "100", "100", "0", "30.000000"}, 22491},
      {"rest", {out, dir + "/R.wav", "0", "480@120.00+0.000", "0", "0"}, 22491 + 22050},
      {"length below zero adds nothing", {out, in, "0", "30@120.00-40.000", "0", "0"}, 44541},
      // 487.5 ms starting 20 ms (882 samples) before the end.
      {"note after the rest", {out, in, "0", "480@120.00-12.500", "0", "0", "0", "100", "100", "100", "100", "20"},
       44541 - 882 + 21499},
      // Plain milliseconds and the eleven slots of the library, empty ones
      // missing; 7.5 ms overlap is 331 samples. Two seconds outlast both the
      // one-second input and the wavtool's 65536-sample slices.
      {"library form", {out, in, "12.5", "2000", "0", "0", "0", "100", "100", "100", "100", "7.5",
                        "", "", ""}, 65158 - 331 + 88200},
  };
  for (const Step& step : steps) {
    std::string error;
    ASSERT_EQ(runWavtool(step.arguments, error), 0) << step.name << ": " << error;
    std::string data = fileBytes(out + ".dat");
    EXPECT_EQ(data.size(), 2 * step.samplesAfter) << step.name;
    EXPECT_EQ(fileBytes(out + ".whd"), reftools::wavHeader(static_cast<uint32_t>(data.size()))) << step.name;
  }
  std::string error;
  ASSERT_EQ(reftools::appendFiles(out + ".whd", out + ".dat", out, error), 0) << error;
  std::vector<float> song = tooltest::readWavSamples(out);
  ASSERT_EQ(song.size(), 153027u);
  EXPECT_NEAR(song[110], 0.125, 1e-3) << "halfway through the first note's fade-in of 5 ms";
  EXPECT_NEAR(song[11000], 0.25, 1e-3) << "inside the first note";
  for (size_t i : {22491u, 33000u, 43658u}) EXPECT_EQ(song[i], 0.0f) << "rest at sample " << i;
  EXPECT_NEAR(song[43700], 0.25, 1e-3) << "note after the rest";
  EXPECT_NEAR(song[65000], 0.5, 1e-3) << "overlap of the last two notes sums both";
  EXPECT_NEAR(song[100000], 0.25, 1e-3) << "last note, within its input";
  EXPECT_EQ(song[140000], 0.0f) << "last note, past the end of its input";
}

// Arguments that cannot be read leave the output untouched; an input that is
// not a WAV still fails but appends silence, so the song keeps its timing.
TEST(Wavtool, HostileArgumentsFail) {
  std::string dir = tooltest::scratchDir("wavtool_hostile");
  std::string in = writeLevel(dir, 0.25f), out = dir + "/song.wav", broken = dir + "/broken.wav";
  reftools::writeWholeFile(broken, "RIFF....WAVEjunk");
  struct Case { const char* name; std::vector<std::string> arguments; size_t dataBytes; } cases[] = {
      {"absurd length", {out, in, "0", "1e9", "0", "0"}, 0},
      {"zero tempo", {out, in, "0", "480@0.00+1", "0", "0"}, 0},
      {"garbled envelope", {out, in, "0", "500", "0", "5", "x"}, 0},
      {"no length", {out, in, "0"}, 0},
      {"malformed input", {out, broken, "0", "100", "0", "0"}, 2 * 4410},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(out + ".dat");
    std::filesystem::remove(out + ".whd");
    std::string error;
    EXPECT_EQ(runWavtool(c.arguments, error), 1) << c.name;
    if (c.dataBytes == 0) {
      EXPECT_FALSE(std::filesystem::exists(out + ".dat") || std::filesystem::exists(out + ".whd")) << c.name;
    } else {
      EXPECT_EQ(fileBytes(out + ".dat"), std::string(c.dataBytes, '\0')) << c.name;
      EXPECT_EQ(fileBytes(out + ".whd"), reftools::wavHeader(static_cast<uint32_t>(c.dataBytes))) << c.name;
    }
  }
}

}  // namespace
