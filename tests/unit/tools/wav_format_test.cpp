#include <gtest/gtest.h>

#include <cstdint>

#include "common/wav_format.h"

namespace {

void put16(std::string& out, uint16_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>(v >> 8));
}

void put32(std::string& out, uint32_t v) {
  put16(out, static_cast<uint16_t>(v & 0xFFFF));
  put16(out, static_cast<uint16_t>(v >> 16));
}

std::string chunk(const char* id, const std::string& body) {
  std::string out(id, 4);
  put32(out, static_cast<uint32_t>(body.size()));
  out += body;
  if (body.size() % 2) out.push_back('\0');
  return out;
}

std::string fmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
  std::string body;
  put16(body, tag);
  put16(body, channels);
  put32(body, rate);
  put32(body, rate * channels * bits / 8);
  put16(body, static_cast<uint16_t>(channels * bits / 8));
  put16(body, bits);
  return body;
}

std::string riff(const std::string& chunks) {
  std::string out = "RIFF";
  put32(out, static_cast<uint32_t>(chunks.size() + 4));
  return out + "WAVE" + chunks;
}

TEST(WavFormat, DecodesSampleFormatsToMono) {
  std::string stereo16, mono8, mono24, float32;
  put16(stereo16, 16384);             // left 0.5
  put16(stereo16, 0xE000);            // right -0.25
  mono8.push_back(static_cast<char>(192));  // 0.5
  mono24 += std::string("\x00\x00\xC0", 3);  // -0.5
  put32(float32, 0x3E800000);         // 0.25
  struct Case {
    const char* name;
    std::string file;
    float first;
  } cases[] = {
      {"16-bit stereo", riff(chunk("fmt ", fmtBody(1, 2, 44100, 16)) + chunk("data", stereo16)),
       0.125f},
      {"8-bit", riff(chunk("fmt ", fmtBody(1, 1, 44100, 8)) + chunk("data", mono8)), 0.5f},
      {"24-bit after an odd-sized chunk",
       riff(chunk("fmt ", fmtBody(1, 1, 44100, 24)) + chunk("LIST", "abc") +
            chunk("data", mono24)),
       -0.5f},
      {"float", riff(chunk("fmt ", fmtBody(3, 1, 44100, 32)) + chunk("data", float32)), 0.25f},
  };
  for (const Case& c : cases) {
    reftools::Audio audio;
    std::string error;
    ASSERT_TRUE(reftools::decodeWav(c.file, audio, error)) << c.name << ": " << error;
    ASSERT_EQ(audio.samples.size(), 1u) << c.name;
    EXPECT_FLOAT_EQ(audio.samples[0], c.first) << c.name;
  }
}

TEST(WavFormat, ConvertsOtherRatesTo44100) {
  std::string data;
  for (int i = 0; i < 22050; ++i) put16(data, 1000);
  reftools::Audio audio;
  std::string error;
  ASSERT_TRUE(reftools::decodeWav(riff(chunk("fmt ", fmtBody(1, 1, 22050, 16)) +
                                       chunk("data", data)), audio, error));
  EXPECT_EQ(audio.samples.size(), 44100u);
}

TEST(WavFormat, ReadsTruncatedDataAsFarAsItGoes) {
  std::string file =
      riff(chunk("fmt ", fmtBody(1, 1, 44100, 16)) + chunk("data", std::string("\x01\0\x02\0", 4)));
  file.resize(file.size() - 2);  // the data chunk claims two samples, one remains
  reftools::Audio audio;
  std::string error;
  ASSERT_TRUE(reftools::decodeWav(file, audio, error)) << error;
  EXPECT_EQ(audio.samples.size(), 1u);
}

TEST(WavFormat, RefusesMalformedFiles) {
  std::string fmt16 = chunk("fmt ", fmtBody(1, 1, 44100, 16));
  std::string badAlign = fmtBody(1, 1, 44100, 16);
  badAlign[12] = 4;
  std::string hugeFmt = "fmt ";
  put32(hugeFmt, 0xFFFFFFF0u);
  struct Case {
    const char* name;
    std::string file;
  } cases[] = {
      {"empty", ""},
      {"not RIFF", "RIFX" + riff(fmt16).substr(4)},
      {"no format", riff(chunk("data", "\0\0"))},
      {"data before format", riff(chunk("data", "\0\0") + fmt16)},
      {"no data", riff(fmt16)},
      {"12-bit", riff(chunk("fmt ", fmtBody(1, 1, 44100, 12)) + chunk("data", "\0\0"))},
      {"no channels", riff(chunk("fmt ", fmtBody(1, 0, 44100, 16)) + chunk("data", "\0\0"))},
      {"compressed", riff(chunk("fmt ", fmtBody(2, 1, 44100, 16)) + chunk("data", "\0\0"))},
      {"rate 1 Hz", riff(chunk("fmt ", fmtBody(1, 1, 1, 16)) + chunk("data", "\0\0"))},
      {"block size", riff(chunk("fmt ", badAlign) + chunk("data", "\0\0"))},
      {"short format", riff(chunk("fmt ", "\x01\x00") + chunk("data", "\0\0"))},
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
  std::string data;
  put16(data, 16384);
  put16(data, 32767);
  put16(data, 0x8000);
  EXPECT_EQ(reftools::encodeWav({0.5f, 2.0f, -2.0f}),
            riff(chunk("fmt ", fmtBody(1, 1, 44100, 16)) + chunk("data", data)));
}

}  // namespace
