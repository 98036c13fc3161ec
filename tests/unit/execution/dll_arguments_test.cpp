#include "execution/dll_arguments.h"

#include <gtest/gtest.h>

#include "execution/path_limits.h"
#include "shell/status.h"

namespace sondrel {
namespace {

RenderConfig config() {
  RenderConfig c;
  c.voiceDir = "V";
  c.cacheDir = "C";
  c.outputPath = "out.wav";
  return c;
}

TEST(DllArguments, SungNoteNumbersAreSinglePrecisionFixed) {
  RenderRequest request;
  ResamplerArgs& r = request.resampler;
  r.inputPath = "a.wav";
  r.cachePath = "0_a_C4_550.wav";
  r.noteName = "C4";
  r.velocity = 100.0;
  r.flags = "g-5";
  r.offset = 0.1;
  r.requiredLength = 550;
  r.consonant = 60;
  r.cutoff = -1e-300;
  r.intensity = 90;
  r.modulation = -5;
  r.tempoArg = "!120.000000";
  r.pitchString = "AA";
  request.wavtool.wavInput = r.cachePath;
  request.wavtool.startPoint = 12.5;
  request.wavtool.lengthArg = "480@120.00+10.000";
  request.wavtool.envelopeArg = "0 5  35 0 100 100 0";

  ResamplerCall expected = {"V\\a.wav", "C\\0_a_C4_550.wav", "C4", "100.000000", "g-5", "0.100000", "550",
                            "60.000000", "-0.000000", "90", "-5", "!120.000000", "AA"};
  EXPECT_EQ(resamplerArguments(config(), request), expected);
  WavtoolCall wavtool = {"out.wav", "C\\0_a_C4_550.wav", "12.500000", "480@120.00+10.000",
                         "0", "5", "35", "0", "100", "100", "0", "", "", "", ""};
  EXPECT_EQ(wavtoolArguments(config(), request), wavtool);
}

TEST(DllArguments, RestAndDirectSample) {
  RenderRequest rest;
  rest.resampler.skipResample = rest.resampler.isRest = true;
  rest.wavtool.wavInput = "R.wav";
  rest.wavtool.lengthArg = "240@120.00+0.000";
  rest.wavtool.envelopeArg = "9 9";
  WavtoolCall restCall = {"out.wav", "V\\R.wav", "0", "240@120.00+0.000", "0", "0", "", "", "", "", "", "", "", "", ""};
  EXPECT_EQ(wavtoolArguments(config(), rest), restCall);

  RenderRequest direct;
  direct.resampler.skipResample = true;
  direct.wavtool.wavInput = "b.wav";
  direct.wavtool.wavOffset = 0.1;  // rounded to single precision before the sum
  direct.wavtool.startPoint = 1e-7;
  direct.wavtool.lengthArg = "510.000000";
  direct.wavtool.envelopeArg = "1 2 3 4 5 6 7 8 9 10 11 12";
  WavtoolCall directCall = {"out.wav", "V\\b.wav", "0.100000", "510.000000", "1", "2", "3", "4", "5", "6", "7",
                            "8", "9", "10", "11"};
  EXPECT_EQ(wavtoolArguments(config(), direct), directCall);
}

TEST(PathLimits, CombinedPathsBeyond259BytesAreRefused) {
  const struct {
    const char* name;
    size_t voiceDir, cacheDir, sample, output;
    bool rest;
    int32_t expected;
  } cases[] = {
      {"sample path of 259 bytes fits", 200, 10, 58, 7, false, kStatusOk},
      {"sample path of 260 bytes", 200, 10, 59, 7, false, kStatusFilenameTooLong},
      {"cache file of 260 bytes", 10, 200, 59, 7, false, kStatusFilenameTooLong},
      {"rest sample of 260 bytes", 200, 10, 59, 7, true, kStatusFilenameTooLong},
      {"output part of 260 bytes", 10, 10, 10, 256, false, kStatusFilenameTooLong},
      {"output part of 259 bytes", 10, 10, 10, 255, false, kStatusOk},
  };
  for (const auto& c : cases) {
    RenderConfig cfg;
    cfg.voiceDir.assign(c.voiceDir, 'v');
    cfg.cacheDir.assign(c.cacheDir, 'c');
    cfg.outputPath.assign(c.output, 'o');
    RenderRequest request;
    request.resampler.skipResample = request.resampler.isRest = c.rest;
    request.resampler.inputPath.assign(c.sample, 's');
    request.resampler.cachePath.assign(c.sample, 'k');
    request.wavtool.wavInput.assign(c.sample, 'w');
    cfg.requests = {request};
    EXPECT_EQ(checkPathLimits(cfg), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace sondrel
