#include "execution/dll_arguments.h"

#include <gtest/gtest.h>

#include "base/status.h"
#include "execution/path_limits.h"

namespace sondrel {
namespace {

RenderConfig config() {
  RenderConfig c;
  c.voiceDir = "V";
  c.cacheDir = "C";
  c.outputPath = "out.wav";
  return c;
}

// The slots of a sung note are the planner's test (request_list_test.cpp).
TEST(DllArguments, RestAndDirectSample) {
  RenderRequest rest, direct;
  rest.kind = RequestKind::Rest;
  direct.kind = RequestKind::Direct;
  rest.wavtool = {"R.wav", 0, 0, 0, "240@120.00+0.000", "9 9"};
  EXPECT_EQ(wavtoolArguments(config(), rest), (WavtoolCall{"out.wav", "V\\R.wav", "0", "240@120.00+0.000", "0", "0", "",
                                                            "", "", "", "", "", "", "", ""}));
  // The offset is rounded to single precision before the sum; runs of blanks
  // split the envelope once, and a twelfth value has no slot.
  direct.wavtool = {"b.wav", 0.1, 1e-7, 0, "510.000000", "1 2  3 4 5 6 7 8 9 10 11 12"};
  EXPECT_EQ(wavtoolArguments(config(), direct), (WavtoolCall{"out.wav", "V\\b.wav", "0.100000", "510.000000", "1", "2",
                                                              "3", "4", "5", "6", "7", "8", "9", "10", "11"}));
}

// A wildcard in the output would make the script's `del` remove every file it
// matches (the whole renders refuse * and ?); the system's file search also
// reads < > and the quote so.
TEST(PathLimits, CombinedPathsBeyond259BytesAndWildcardsInTheOutputAreRefused) {
  const struct { const char* name; size_t voiceDir, cacheDir, name_, output; bool rest; int32_t expected; const char* outputEnd = ""; } cases[] = {
      {"sample path of 259 bytes fits", 200, 10, 58, 7, false, base::kStatusOk},
      {"sample path of 260 bytes", 200, 10, 59, 7, false, base::kStatusFilenameTooLong},
      {"cache file of 260 bytes", 10, 200, 59, 7, false, base::kStatusFilenameTooLong},
      {"rest sample of 260 bytes", 200, 10, 59, 7, true, base::kStatusFilenameTooLong},
      {"output part of 260 bytes", 10, 10, 10, 256, false, base::kStatusFilenameTooLong},
      {"output part of 259 bytes", 10, 10, 10, 255, false, base::kStatusOk},
      {"output with <", 10, 10, 10, 7, false, base::kStatusInvalidName, "<.wav"},
  };
  for (const auto& c : cases) {
    RenderConfig cfg;
    cfg.voiceDir.assign(c.voiceDir, 'v');
    cfg.cacheDir.assign(c.cacheDir, 'c');
    cfg.outputPath.assign(c.output, 'o');
    cfg.outputPath += c.outputEnd;
    RenderRequest r;
    r.kind = c.rest ? RequestKind::Rest : RequestKind::Sung;
    r.resampler.inputPath.assign(c.name_, 's');
    r.resampler.cachePath.assign(c.name_, 'k');
    r.wavtool.wavInput.assign(c.name_, 'w');
    cfg.requests = {r};
    RenderFailure failure;
    EXPECT_EQ(checkPathLimits(cfg, failure), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace sondrel
