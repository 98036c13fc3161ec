#include "execution/script_text.h"

#include <gtest/gtest.h>

#include "shell/status.h"

namespace sondrel {
namespace {

bool singleByte(unsigned char) { return false; }
// Lead bytes of code page 932 (Shift-JIS).
bool shiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

const char kHeader[] =
    "@rem project=song\r\n"
    "@set tempo=120\r\n"
    "@set samples=44100\r\n"
    "@set oto=C:\\voice\r\n"
    "@set tool=C:\\host\\wavtool.exe\r\n"
    "@set resamp=C:\\host\\resampler.exe\r\n"
    "@set output=plugin_temp.wav\r\n"
    "@set helper=C:\\tmp\\PLUGIN~1.BAT\r\n"
    "@set cachedir=C:\\tmp\\t1.cache\r\n"
    "\r\n"
    "@del \"%output%\"\r\n"
    "@del \"%output%.whd\"\r\n"
    "@del \"%output%.dat\"\r\n"
    "@mkdir \"%cachedir%\"\r\n"
    "\r\n";

const char kTrailer[] =
    "\r\n"
    "@if not exist \"%output%.whd\" goto E\r\n"
    "@if not exist \"%output%.dat\" goto E\r\n"
    "copy /Y \"%output%.whd\" /B + \"%output%.dat\" /B \"%output%\"\r\n"
    "del \"%output%.whd\"\r\n"
    "del \"%output%.dat\"\r\n"
    ":E\r\n";

RenderConfig baseConfig() {
  RenderConfig config;
  config.projectName = "song";
  config.voiceDir = "C:\\voice";
  config.wavtoolPath = "C:\\host\\wavtool.exe";
  config.resamplerPath = "C:\\host\\resampler.exe";
  config.cacheDir = "C:\\tmp\\t1.cache";
  return config;
}

RenderRequest sungRequest() {
  RenderRequest request;
  request.index = request.cacheIndex = 2;
  ResamplerArgs& r = request.resampler;
  r.inputPath = "a.wav";
  r.cachePath = "2_a_C4_550.wav";
  r.noteName = "C4";
  r.velocity = 100.0;
  r.flags = "g-5";
  r.offset = 12.25;
  r.requiredLength = 550;
  r.consonant = 60;
  r.cutoff = -100;
  r.intensity = 90;
  r.modulation = 0;
  r.tempoArg = "!120.000000";
  r.pitchString = "AA#3#";
  r.lyric = "a";
  WavtoolArgs& w = request.wavtool;
  w.wavInput = "2_a_C4_550.wav";
  w.startPoint = 12.5;
  w.preUtterance = 30.000001;
  w.lengthArg = "480@120.00+10.000";
  w.envelopeArg = "0 5 35 0 100 100 0 30.000000";
  return request;
}

std::string build(const RenderConfig& config, LeadBytePredicate lead = singleByte) {
  std::string text = "untouched";
  int32_t status = buildMainScript(config, "C:\\tmp\\PLUGIN~1.BAT", lead, text);
  return status == kStatusOk ? text : "status " + std::to_string(status);
}

TEST(MainScript, EmptyProjectIsHeaderAndAssemblyOnly) {
  EXPECT_EQ(build(baseConfig()), std::string(kHeader) + kTrailer);
}

TEST(MainScript, BlocksOfEachKindOfRequest) {
  RenderRequest rest;
  rest.resampler.skipResample = rest.resampler.isRest = true;
  rest.wavtool.wavInput = "R.wav";
  rest.wavtool.lengthArg = "240@120.00+0.000";
  RenderRequest direct;
  direct.resampler.skipResample = true;
  direct.wavtool.wavInput = "sub\\b.wav";
  direct.wavtool.wavOffset = 100;
  direct.wavtool.startPoint = 0.5;
  direct.wavtool.lengthArg = "510.000000";
  direct.wavtool.envelopeArg = "0 5 35 0 100 100 0 0.000000";

  RenderConfig config = baseConfig();
  config.requests = {sungRequest(), rest, direct};
  EXPECT_EQ(build(config),
            std::string(kHeader) +
                "@set params=90 0 !120.000000 AA#3#\r\n"
                "@set flag=\"g-5\"\r\n"
                "@set env=0 5 35 0 100 100 0 30.000000\r\n"
                "@set stp=12.5\r\n"
                "@set vel=100\r\n"
                "@set temp=\"%cachedir%\\2_a_C4_550.wav\"\r\n"
                "call %helper% \"%oto%\\a.wav\" C4 480@120.00+10.000 30 12.25 550 60 -100 2\r\n"
                "\"%tool%\" \"%output%\" \"%oto%\\R.wav\" 0 240@120.00+0.000 0 0\r\n"
                "@set env=0 5 35 0 100 100 0 0.000000\r\n"
                "@\"%tool%\" \"%output%\" \"%oto%\\sub\\b.wav\" 100.5 510.000000 %env%\r\n" +
                kTrailer);
}

// Each case changes one field; the script must either carry the text so that
// the interpreter reads it back exactly, or be refused.
struct FieldCase {
  const char* name;
  void (*apply)(RenderConfig&, std::string_view);
  std::string_view value;
  const char* expectedLine;  // nullptr: refused with 13
};

void setProjectName(RenderConfig& c, std::string_view v) { c.projectName = std::string(v); }
void setVoiceDir(RenderConfig& c, std::string_view v) { c.voiceDir = std::string(v); }
void setWavtool(RenderConfig& c, std::string_view v) { c.wavtoolPath = std::string(v); }
void setOutput(RenderConfig& c, std::string_view v) { c.outputPath = std::string(v); }
void setFlags(RenderConfig& c, std::string_view v) { c.requests[0].resampler.flags = std::string(v); }
void setEnvelope(RenderConfig& c, std::string_view v) { c.requests[0].wavtool.envelopeArg = std::string(v); }
void setInput(RenderConfig& c, std::string_view v) { c.requests[0].resampler.inputPath = std::string(v); }
void setCachePath(RenderConfig& c, std::string_view v) { c.requests[0].resampler.cachePath = std::string(v); }
void setPitch(RenderConfig& c, std::string_view v) { c.requests[0].resampler.pitchString = std::string(v); }
void setDirectSample(RenderConfig& c, std::string_view v) { c.requests[1].wavtool.wavInput = std::string(v); }
void setLengthArg(RenderConfig& c, std::string_view v) { c.requests[0].wavtool.lengthArg = std::string(v); }

const FieldCase kFieldCases[] = {
    {"ampersand in voice dir is escaped", setVoiceDir, "C:\\Tom & Jerry", "@set oto=C:\\Tom ^& Jerry\r\n"},
    {"parentheses and blanks in voice dir stay", setVoiceDir, "C:\\Program Files (x86)\\v", "@set oto=C:\\Program Files (x86)\\v\r\n"},
    {"percent in voice dir reaches the call line", setVoiceDir, "C:\\100%", nullptr},
    {"caret in voice dir is doubled by call", setVoiceDir, "C:\\a^b", nullptr},
    {"quote in voice dir ends the quoting", setVoiceDir, "C:\\a\" & calc & \"", nullptr},
    {"percent in tool path comes back through a variable", setWavtool, "C:\\100%\\w.exe", nullptr},
    {"pipe and caret in tool path are escaped", setWavtool, "C:\\a|b^c", "@set tool=C:\\a^|b^^c\r\n"},
    {"line feed in output path", setOutput, "x.wav\n@calc", nullptr},
    {"lone carriage return in output path", setOutput, "x.wav\rcalc", nullptr},
    {"comment escapes everything", setProjectName, "a\"&b%c^", "@rem project=a^\"^&b%%c^^\r\n"},
    {"line feed in comment", setProjectName, "a\r\ncalc", nullptr},
    {"ampersand in flags stays inside quotes", setFlags, "g&calc", "@set flag=\"g&calc\"\r\n"},
    {"percent in flags comes back through a variable", setFlags, "Y%1", nullptr},
    {"caret in flags stays inside quotes", setFlags, "Y^2", "@set flag=\"Y^2\"\r\n"},
    {"quote in flags", setFlags, "g\" & calc & \"", nullptr},
    {"percent in envelope comes back through a variable", setEnvelope, "0 5 % 0", nullptr},
    {"ampersand in envelope", setEnvelope, "0 & calc", nullptr},
    {"redirection in envelope", setEnvelope, "0 >x.txt", nullptr},
    {"caret in envelope", setEnvelope, "0 ^& calc", nullptr},
    {"pipe in pitch string", setPitch, "AA|calc", nullptr},
    {"ampersand and parentheses in sample path", setInput, "a&b (2).wav",
     "call %helper% \"%oto%\\a&b (2).wav\" C4 480@120.00+10.000 30 12.25 550 60 -100 2\r\n"},
    {"percent in sample path", setInput, "%cachedir%.wav", nullptr},
    {"caret in sample path", setInput, "a^b.wav", nullptr},
    {"quote in sample path", setInput, "a\" & calc & \".wav", nullptr},
    {"percent in cache name comes back through a variable", setCachePath, "2_%x%_C4_550.wav", nullptr},
    {"percent in a direct sample is doubled", setDirectSample, "b%1.wav",
     "@\"%tool%\" \"%output%\" \"%oto%\\b%%1.wav\" 0 510.000000 %env%\r\n"},
    {"blank in a call word shifts the parameters", setLengthArg, "480 calc", nullptr},
    {"NUL in a tool path", setWavtool, std::string_view("a\0b", 3), nullptr},
};

TEST(MainScript, FieldsAreWrittenSafelyOrRefused) {
  for (const FieldCase& c : kFieldCases) {
    RenderConfig config = baseConfig();
    RenderRequest direct;
    direct.resampler.skipResample = true;
    direct.wavtool.lengthArg = "510.000000";
    config.requests = {sungRequest(), direct};
    c.apply(config, c.value);
    std::string text = build(config);
    if (c.expectedLine == nullptr) {
      EXPECT_EQ(text, "status 13") << c.name;
    } else {
      EXPECT_NE(text.find(c.expectedLine), std::string::npos) << c.name << ": expected line " << c.expectedLine
                                                               << " in\n" << text;
    }
  }
}

TEST(MainScript, ShiftJisSecondBytesAreNotSpecialCharacters) {
  // "ソ" is 0x83 0x5C and "ポ" 0x83 0x7C: their second bytes are "\" and "|".
  // "タ" is 0x83 0x5E, whose second byte is "^".
  const std::string so = "\x83\x5C", po = "\x83\x7C", ta = "\x83\x5E";
  RenderConfig config = baseConfig();
  config.voiceDir = "C:\\" + ta + po;
  config.requests = {sungRequest()};
  config.requests[0].resampler.inputPath = so + po + ".wav";
  config.requests[0].wavtool.envelopeArg = po;
  std::string text = build(config, shiftJisLead);
  EXPECT_NE(text.find("@set oto=C:\\" + ta + po + "\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"%oto%\\" + so + po + ".wav\" C4"), std::string::npos) << text;
  EXPECT_NE(text.find("@set env=" + po + "\r\n"), std::string::npos) << text;
  // In a single-byte code page the same bytes are a caret and a pipe.
  EXPECT_EQ(build(config, singleByte), "status 13");
}

TEST(MainScript, LeadByteWithoutValidSecondByteIsRefused) {
  const struct {
    const char* name;
    std::string flags;
  } cases[] = {{"lead byte at the end swallows the closing quote", "g\x83"},
               {"lead byte before a quote", "g\x83\" & calc & \""}};
  for (const auto& c : cases) {
    RenderConfig config = baseConfig();
    config.requests = {sungRequest()};
    config.requests[0].resampler.flags = c.flags;
    EXPECT_EQ(build(config, shiftJisLead), "status 13") << c.name;
  }
}

TEST(HelperReference, QuotedOnlyWhenThePathWouldSplit) {
  const struct {
    const char* path;
    const char* expected;  // nullptr: refused
  } cases[] = {
      {"C:\\tmp\\PLUGIN~1.BAT", "C:\\tmp\\PLUGIN~1.BAT"},
      {"C:\\Users\\Jane Doe\\plugin_helper.bat", "\"C:\\Users\\Jane Doe\\plugin_helper.bat\""},
      {"C:\\a&b\\plugin_helper.bat", "\"C:\\a&b\\plugin_helper.bat\""},
      {"C:\\a,b\\plugin_helper.bat", "\"C:\\a,b\\plugin_helper.bat\""},
      {"C:\\50%\\plugin_helper.bat", nullptr},
      {"C:\\a^b\\plugin_helper.bat", nullptr},
  };
  for (const auto& c : cases) {
    std::string reference = "sentinel";
    int32_t status = formatHelperReference(c.path, singleByte, reference);
    if (c.expected) {
      EXPECT_EQ(status, kStatusOk) << c.path;
      EXPECT_EQ(reference, c.expected) << c.path;
    } else {
      EXPECT_EQ(status, kStatusInvalidData) << c.path;
      EXPECT_EQ(reference, "sentinel") << c.path;
    }
  }
}

TEST(HelperScript, FiveFixedLines) {
  EXPECT_EQ(helperScriptText(),
            "@if exist %temp% goto A\r\n"
            "@if exist \"%cachedir%\\%9_*.wav\" del \"%cachedir%\\%9_*.wav\"\r\n"
            "@\"%resamp%\" %1 %temp% %2 %vel% %flag% %5 %6 %7 %8 %params%\r\n"
            ":A\r\n"
            "@\"%tool%\" \"%output%\" %temp% %stp% %3 %env%\r\n");
}

}  // namespace
}  // namespace sondrel
