#include <gtest/gtest.h>

#include "common/wav_format.h"
#include "wav_bytes.h"

namespace {

using wavbytes::chunk;
using wavbytes::fmtBody;
using wavbytes::riff;

std::string pcm16(std::initializer_list<uint32_t> samples) {
  std::string data;
  for (uint32_t s : samples) wavbytes::put(data, s, 2);
  return data;
}

TEST(WavFormat, DecodesSampleFormatsToMono44100) {
  std::string truncated = riff(chunk("fmt ", fmtBody(1, 1, 44100, 16)) + chunk("data", pcm16({1, 2})));
  truncated.resize(truncated.size() - 2);  // the data chunk claims two samples, one remains
  struct Case { const char* name; std::string file; size_t count; float first; } cases[] = {
      {"16-bit stereo", riff(chunk("fmt ", fmtBody(1, 2, 44100, 16)) + chunk("data", pcm16({16384, 0xE000}))), 1,
       0.125f},
      {"8-bit", riff(chunk("fmt ", fmtBody(1, 1, 44100, 8)) + chunk("data", "\xC0")), 1, 0.5f},
      {"24-bit after an odd-sized chunk",
       riff(chunk("fmt ", fmtBody(1, 1, 44100, 24)) + chunk("LIST", "abc") + chunk("data", std::string("\0\0\xC0", 3))),
       1, -0.5f},
      {"float", riff(chunk("fmt ", fmtBody(3, 1, 44100, 32)) + chunk("data", pcm16({0, 0x3E80}))), 1, 0.25f},
      {"22050 Hz doubled", riff(chunk("fmt ", fmtBody(1, 1, 22050, 16)) + chunk("data", std::string(44100, '\0'))),
       44100, 0.0f},
      {"truncated data read as far as it goes", truncated, 1, 1 / 32768.0f},
  };
  for (const Case& c : cases) {
    reftools::Audio audio;
    std::string error;
    ASSERT_TRUE(reftools::decodeWav(c.file, audio, error)) << c.name << ": " << error;
    ASSERT_EQ(audio.samples.size(), c.count) << c.name;
    EXPECT_FLOAT_EQ(audio.samples[0], c.first) << c.name;
  }
}

TEST(WavFormat, RefusesMalformedFiles) {
  std::string fmt16 = chunk("fmt ", fmtBody(1, 1, 44100, 16)), data = chunk("data", "\0\0");
  std::string badAlign = fmtBody(1, 1, 44100, 16);
  badAlign[12] = 4;
  std::string hugeFmt = "fmt ";
  wavbytes::put(hugeFmt, 0xFFFFFFF0u, 4);
  struct Case { const char* name; std::string file; } cases[] = {
      {"empty", ""},
      {"not RIFF", "RIFX" + riff(fmt16).substr(4)},
      {"data before format", riff(data + fmt16)},
      {"no data", riff(fmt16)},
      {"12-bit", riff(chunk("fmt ", fmtBody(1, 1, 44100, 12)) + data)},
      {"no channels", riff(chunk("fmt ", fmtBody(1, 0, 44100, 16)) + data)},
      {"compressed", riff(chunk("fmt ", fmtBody(2, 1, 44100, 16)) + data)},
      {"rate 1 Hz", riff(chunk("fmt ", fmtBody(1, 1, 1, 16)) + data)},
      {"block size", riff(chunk("fmt ", badAlign) + data)},
      {"format past the end", riff(hugeFmt)},
  };
  for (const Case& c : cases) {
    reftools::Audio audio;
    std::string error;
    EXPECT_FALSE(reftools::decodeWav(c.file, audio, error)) << c.name;
    EXPECT_FALSE(error.empty()) << c.name;
  }
}

TEST(WavFormat, WritesSaturatedPcmUnderAnExactHeader) {
  EXPECT_EQ(reftools::encodeWav({0.5f, 2.0f, -2.0f}),
            riff(chunk("fmt ", fmtBody(1, 1, 44100, 16)) + chunk("data", pcm16({16384, 32767, 0x8000}))));
}

}  // namespace
