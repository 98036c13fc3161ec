#include "execution/script_text.h"

#include <gtest/gtest.h>

#include "base/status.h"

namespace sondrel {
namespace {

bool singleByte(unsigned char) { return false; }
// Lead bytes of code page 932 (Shift-JIS).
bool shiftJis(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

const std::string kHeader =
    "@rem project=song\r\n@set tempo=120\r\n@set samples=44100\r\n@set oto=C:\\voice\r\n"
    "@set tool=C:\\host\\wavtool.exe\r\n@set resamp=C:\\host\\resampler.exe\r\n@set output=plugin_temp.wav\r\n"
    "@set helper=C:\\tmp\\PLUGIN~1.BAT\r\n@set cachedir=C:\\tmp\\t1.cache\r\n\r\n"
    "@del \"%output%\"\r\n@del \"%output%.whd\"\r\n@del \"%output%.dat\"\r\n@mkdir \"%cachedir%\"\r\n\r\n";
const std::string kTrailer =
    "\r\n@if not exist \"%output%.whd\" goto E\r\n@if not exist \"%output%.dat\" goto E\r\n"
    "copy /Y \"%output%.whd\" /B + \"%output%.dat\" /B \"%output%\"\r\n"
    "del \"%output%.whd\"\r\ndel \"%output%.dat\"\r\n:E\r\n";

// One sung note, one rest, one direct sample.
RenderConfig song() {
  RenderConfig config;
  config.projectName = "song";
  config.voiceDir = "C:\\voice";
  config.wavtoolPath = "C:\\host\\wavtool.exe";
  config.resamplerPath = "C:\\host\\resampler.exe";
  config.cacheDir = "C:\\tmp\\t1.cache";
  RenderRequest sung{2, 2,
                     {false, false, "a.wav", "2_a_C4_550.wav", "C4", 100.0, "g-5", 12.25, 550, 60, -100, 90, 0, 120.0,
                      "!120.000000", "AA#3#", "a"},
                     {"2_a_C4_550.wav", 0, 12.5, 30.000001, "480@120.00+10.000", "0 5 35 0 100 100 0 30.000000"}};
  RenderRequest rest, direct;
  rest.resampler.skipResample = rest.resampler.isRest = direct.resampler.skipResample = true;
  rest.wavtool = {"R.wav", 0, 0, 0, "240@120.00+0.000", ""};
  direct.wavtool = {"sub\\b.wav", 100, 0.5, 0, "510.000000", "0 5 35 0 100 100 0 0.000000"};
  config.requests = {sung, rest, direct};
  return config;
}

std::string build(const RenderConfig& config, LeadBytePredicate lead = singleByte) {
  std::string text;
  int32_t status = buildMainScript(config, "C:\\tmp\\PLUGIN~1.BAT", lead, text);
  return status == base::kStatusOk ? text : "status " + std::to_string(status);
}

TEST(MainScript, OneBlockPerRequestInOrder) {
  EXPECT_EQ(build(song()),
            kHeader +
                "@set params=90 0 !120.000000 AA#3#\r\n@set flag=\"g-5\"\r\n@set env=0 5 35 0 100 100 0 30.000000\r\n"
                "@set stp=12.5\r\n@set vel=100\r\n@set temp=\"%cachedir%\\2_a_C4_550.wav\"\r\n"
                "call %helper% \"%oto%\\a.wav\" C4 480@120.00+10.000 30 12.25 550 60 -100 2\r\n"
                "\"%tool%\" \"%output%\" \"%oto%\\R.wav\" 0 240@120.00+0.000 0 0\r\n"
                "@set env=0 5 35 0 100 100 0 0.000000\r\n"
                "@\"%tool%\" \"%output%\" \"%oto%\\sub\\b.wav\" 100.5 510.000000 %env%\r\n" +
                kTrailer);
}

// "ソ" is 0x83 0x5C, "ポ" 0x83 0x7C: second bytes "\" and "|".
#define SO "\x83\x5C"
#define PO "\x83\x7C"

// Each case changes one field: the script either carries it so that the
// interpreter reads it back exactly (`line` is found in it), or is refused.
struct FieldCase {
  const char* name;
  void (*apply)(RenderConfig&, std::string);
  std::string value;
  const char* line;  // nullptr: refused with 13
  LeadBytePredicate lead;
};

void projectName(RenderConfig& c, std::string v) { c.projectName = v; }
void voiceDir(RenderConfig& c, std::string v) { c.voiceDir = v; }
void wavtool(RenderConfig& c, std::string v) { c.wavtoolPath = v; }
void output(RenderConfig& c, std::string v) { c.outputPath = v; }
void flags(RenderConfig& c, std::string v) { c.requests[0].resampler.flags = v; }
void envelope(RenderConfig& c, std::string v) { c.requests[0].wavtool.envelopeArg = v; }
void sample(RenderConfig& c, std::string v) { c.requests[0].resampler.inputPath = v; }
void lengthArg(RenderConfig& c, std::string v) { c.requests[0].wavtool.lengthArg = v; }
void directSample(RenderConfig& c, std::string v) { c.requests[2].wavtool.wavInput = v; }

const FieldCase kFieldCases[] = {
    {"ampersand in voice dir is escaped", voiceDir, "C:\\Tom & Jerry", "@set oto=C:\\Tom ^& Jerry\r\n", singleByte},
    {"blanks and parentheses stay", voiceDir, "C:\\Program Files (x86)\\v", "@set oto=C:\\Program Files (x86)\\v\r\n", singleByte},
    {"percent in voice dir", voiceDir, "C:\\100%", nullptr, singleByte},
    {"caret in voice dir is doubled by call", voiceDir, "C:\\a^b", nullptr, singleByte},
    {"pipe and caret in tool path", wavtool, "C:\\a|b^c", "@set tool=C:\\a^|b^^c\r\n", singleByte},
    {"lone carriage return in output", output, "x.wav\rcalc", nullptr, singleByte},
    {"comment escapes everything", projectName, "a\"&b%c^", "@rem project=a^\"^&b%%c^^\r\n", singleByte},
    {"ampersand and caret in flags stay inside quotes", flags, "g&c^", "@set flag=\"g&c^\"\r\n", singleByte},
    {"quote in flags", flags, "g\" & calc & \"", nullptr, singleByte},
    {"ampersand in envelope", envelope, "0 & calc", nullptr, singleByte},
    {"ampersand and parentheses in sample", sample, "a&b (2).wav", "\"%oto%\\a&b (2).wav\" C4", singleByte},
    {"percent in sample", sample, "%cachedir%.wav", nullptr, singleByte},
    {"blank in a call word", lengthArg, "480 calc", nullptr, singleByte},
    {"percent in a direct sample is doubled", directSample, "b%1.wav", "\"%oto%\\b%%1.wav\" 100.5", singleByte},
    {"Shift-JIS sample with trail bytes \\ and |", sample, SO PO ".wav", "\"%oto%\\" SO PO ".wav\" C4", shiftJis},
    {"Shift-JIS envelope with trail byte |", envelope, PO, "@set env=" PO "\r\n", shiftJis},
    {"the same bytes in a single-byte code page", envelope, PO, nullptr, singleByte},
    {"lead byte at the end swallows the closing quote", flags, "g\x83", nullptr, shiftJis},
    {"lead byte before a quote", flags, "g\x83\" & calc & \"", nullptr, shiftJis},
};

TEST(MainScript, FieldsAreWrittenSafelyOrRefused) {
  for (const FieldCase& c : kFieldCases) {
    RenderConfig config = song();
    c.apply(config, c.value);
    std::string text = build(config, c.lead);
    if (c.line == nullptr)
      EXPECT_EQ(text, "status 13") << c.name;
    else
      EXPECT_NE(text.find(c.line), std::string::npos) << c.name << ": expected " << c.line << " in\n" << text;
  }
}

TEST(HelperReference, QuotedOnlyWhenThePathWouldSplit) {
  const struct { const char* path; const char* expected; } cases[] = {  // nullptr: refused, reference untouched
      {"C:\\tmp\\PLUGIN~1.BAT", "C:\\tmp\\PLUGIN~1.BAT"}, {"C:\\a&b\\h.bat", "\"C:\\a&b\\h.bat\""},
      {"C:\\Users\\Jane Doe\\h.bat", "\"C:\\Users\\Jane Doe\\h.bat\""},
      {"C:\\50%\\h.bat", nullptr}, {"C:\\a^b\\h.bat", nullptr},
  };
  for (const auto& c : cases) {
    std::string reference = "sentinel";
    int32_t status = formatHelperReference(c.path, singleByte, reference);
    EXPECT_EQ(status, c.expected ? base::kStatusOk : base::kStatusInvalidData) << c.path;
    EXPECT_EQ(reference, c.expected ? c.expected : "sentinel") << c.path;
  }
}

}  // namespace
}  // namespace sondrel
