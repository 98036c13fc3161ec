#include "execution/script_text.h"

#include <gtest/gtest.h>

#include "base/status.h"
#include "execution/helper_resampler_call.h"

namespace sondrel {
namespace {

size_t singleByte(std::string_view, size_t) { return 1; }
// Characters of code page 932 (Shift-JIS): a lead byte takes the next byte
// when that is a second byte of the code page.
size_t shiftJis(std::string_view text, size_t at) {
  unsigned char lead = static_cast<unsigned char>(text[at]);
  if (!((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC))) return 1;
  unsigned char second = at + 1 < text.size() ? static_cast<unsigned char>(text[at + 1]) : 0;
  return second >= 0x40 && second <= 0xFC && second != 0x7F ? 2 : 0;
}

// One sung note, one rest, one direct sample.
RenderConfig song() {
  RenderConfig config;
  config.projectName = "song";
  config.voiceDir = "C:\\voice";
  config.wavtoolPath = "C:\\host\\wavtool.exe";
  config.resamplerPath = "C:\\host\\resampler.exe";
  config.cacheDir = "C:\\tmp\\t1.cache";
  RenderRequest sung{RequestKind::Sung, 2, 2,
                     {"a.wav", "2_a_C4_550.wav", "C4", 100.0, "g-5", 12.25, 550, 60, -100, 90, 0, "!120.000000",
                      "AA#3#", "a"},
                     {"2_a_C4_550.wav", 0, 12.5, 30.000001, "480@120.00+10.000", "0 5 35 0 100 100 0 30.000000"}};
  RenderRequest rest, direct;
  rest.kind = RequestKind::Rest;
  direct.kind = RequestKind::Direct;
  rest.wavtool = {"R.wav", 0, 0, 0, "240@120.00+0.000", ""};
  direct.wavtool = {"sub\\b.wav", 100, 0.5, 0, "510.000000", "0 5 35 0 100 100 0 0.000000"};
  config.requests = {sung, rest, direct};
  return config;
}

std::string build(const RenderConfig& config, CharacterLength characters = singleByte,
                  RenderFailure* failure = nullptr) {
  MainScript script;
  RenderFailure unused;
  int32_t status = buildMainScript(config, "C:\\tmp\\PLUGIN~1.BAT", characters, script, failure ? *failure : unused);
  return status == base::kStatusOk ? script.text : "status " + std::to_string(status);
}

TEST(MainScript, OneBlockPerRequestInOrder) {
  EXPECT_EQ(build(song()),
            "@rem project=song\r\n@set tempo=120\r\n@set samples=44100\r\n@set oto=C:\\voice\r\n"
            "@set tool=C:\\host\\wavtool.exe\r\n@set resamp=C:\\host\\resampler.exe\r\n@set output=plugin_temp.wav\r\n"
            "@set helper=C:\\tmp\\PLUGIN~1.BAT\r\n@set cachedir=C:\\tmp\\t1.cache\r\n\r\n"
            "@del \"%output%\"\r\n@del \"%output%.whd\"\r\n@del \"%output%.dat\"\r\n@mkdir \"%cachedir%\"\r\n\r\n"
            "@set params=90 0 !120.000000 AA#3#\r\n@set flag=\"g-5\"\r\n@set env=0 5 35 0 100 100 0 30.000000\r\n"
            "@set stp=12.5\r\n@set vel=100\r\n@set temp=\"%cachedir%\\2_a_C4_550.wav\"\r\n"
            "call %helper% \"%oto%\\a.wav\" C4 480@120.00+10.000 30 12.25 550 60 -100 2\r\n"
            "\"%tool%\" \"%output%\" \"%oto%\\R.wav\" 0 240@120.00+0.000 0 0\r\n"
            "@set env=0 5 35 0 100 100 0 0.000000\r\n"
            "@\"%tool%\" \"%output%\" \"%oto%\\sub\\b.wav\" 100.5 510.000000 %env%\r\n"
            "\r\n@if not exist \"%output%.whd\" goto E\r\n@if not exist \"%output%.dat\" goto E\r\n"
            "copy /Y \"%output%.whd\" /B + \"%output%.dat\" /B \"%output%\"\r\n"
            "del \"%output%.whd\"\r\ndel \"%output%.dat\"\r\n:E\r\n");
}

// What the interpreter holds when it runs the song's helper script for the
// sung note: what the runs ahead of the scripts start.
TEST(ScriptReplay, SetsWhatTheScriptsSetAndStartsTheHelpersResamplerLine) {
  RenderConfig config = song();
  ScriptReplay replay(config, "C:\\tmp\\PLUGIN~1.BAT");
  std::string set;
  for (const RenderRequest& request : config.requests)
    for (const ScriptVariable& variable : replay.blockVariables(request)) set += variable.name + "=" + variable.value + "|";
  EXPECT_EQ(set, "params=90 0 !120.000000 AA#3#|flag=\"g-5\"|env=0 5 35 0 100 100 0 30.000000|stp=12.5|vel=100|"
                 "temp=\"C:\\tmp\\t1.cache\\2_a_C4_550.wav\"|env=0 5 35 0 100 100 0 0.000000|");
  EXPECT_EQ(replay.headerVariables().at(6).value, "C:\\tmp\\PLUGIN~1.BAT");
  EXPECT_EQ(replay.resamplerCommandLine(config.requests[0]),
            "\"C:\\host\\resampler.exe\" \"C:\\voice\\a.wav\" \"C:\\tmp\\t1.cache\\2_a_C4_550.wav\" C4 100 \"g-5\" "
            "12.25 550 60 -100 90 0 !120.000000 AA#3#");
}

// The interpreter's rules for "%" in a batch file.
TEST(ScriptVariables, ExpandAsTheInterpreterDoesInABatchFile) {
  ScriptVariables variables;
  variables.set("Temp", "t");
  variables.set("TEMP", "x");
  EXPECT_EQ(variables.all().size(), 1u) << "names in any case are one variable";
  EXPECT_EQ(variables.expand("%temp%|%TeMp%|%none%|%%|%1|%0%9|100%", {"h.bat", "\"a b\""}), "x|x||%|\"a b\"|h.bat|100");
  EXPECT_EQ(callParameters("call h.bat \"a b\" c"), (std::vector<std::string>{"h.bat", "\"a b\"", "c"}));
}

// "ソ" is 0x83 0x5C, "ポ" 0x83 0x7C: second bytes "\" and "|".
#define SO "\x83\x5C"
#define PO "\x83\x7C"

// Each case changes one field: the script either carries it in the form
// shown (`line` is found in it), or is refused with 13 and the failure names
// the field and the character. That the forms read back exactly under the
// real interpreter, for random text in every place, is the round-trip test's
// part under Wine.
struct FieldCase {
  const char* name;
  void (*apply)(RenderConfig&, std::string);
  std::string value;
  const char* line;  // nullptr: refused
  CharacterLength characters;
  FailureSubject subject = FailureSubject::None;
  std::string refused = "";
};

void projectName(RenderConfig& c, std::string v) { c.projectName = v; }
void voiceDir(RenderConfig& c, std::string v) { c.voiceDir = v; }
void output(RenderConfig& c, std::string v) { c.outputPath = v; }
void flags(RenderConfig& c, std::string v) { c.requests[0].resampler.flags = v; }
void envelope(RenderConfig& c, std::string v) { c.requests[0].wavtool.envelopeArg = v; }
void sample(RenderConfig& c, std::string v) { c.requests[0].resampler.inputPath = v; }
void restLength(RenderConfig& c, std::string v) { c.requests[1].wavtool.lengthArg = v; }
void directSample(RenderConfig& c, std::string v) { c.requests[2].wavtool.wavInput = v; }

const FieldCase kFieldCases[] = {
    {"percent in voice dir", voiceDir, "C:\\100%", nullptr, singleByte, FailureSubject::VoiceDir, "%"},
    {"output ending in a backslash escapes its closing quote", output, "C:\\out\\", nullptr, singleByte, FailureSubject::Output, "\\"},
    {"comment replaces what is unsafe", projectName, "a\"&b%c^\n!\x83", "@rem project=a__b_c__!_\r\n", shiftJis},
    {"ampersand in envelope", envelope, "0 & calc", nullptr, singleByte, FailureSubject::Envelope, "&"},
    {"empty word shifts the arguments", restLength, "", nullptr, singleByte, FailureSubject::Length, ""},
    {"percent in a direct sample is doubled", directSample, "b%1.wav", "\"%oto%\\b%%1.wav\" 100.5", singleByte},
    {"Shift-JIS sample with second bytes \\ and |", sample, SO PO ".wav", "\"%oto%\\" SO PO ".wav\" C4", shiftJis},
    // The interpreter reads the script in its own code page: "|" stays a second byte.
    {"Shift-JIS second byte | outside quotes", envelope, PO, "@set env=" PO "\r\n", shiftJis},
    {"lead byte at the end swallows the closing quote", flags, "g\x83", nullptr, shiftJis, FailureSubject::Flags, "\x83"},
};

TEST(MainScript, FieldsAreWrittenSafelyOrRefused) {
  for (const FieldCase& c : kFieldCases) {
    RenderConfig config = song();
    c.apply(config, c.value);
    RenderFailure failure;
    std::string text = build(config, c.characters, &failure);
    if (c.line == nullptr) {
      EXPECT_EQ(text, "status 13") << c.name;
      EXPECT_EQ(failure.cause, FailureCause::FieldRefused) << c.name;
      EXPECT_EQ(failure.subject, c.subject) << c.name;
      EXPECT_EQ(failure.character, c.refused) << c.name;
    } else {
      EXPECT_NE(text.find(c.line), std::string::npos) << c.name << ": expected " << c.line << " in\n" << text;
    }
  }
}

// The interpreter skips a line longer than 8191 characters after expansion.
// With a pitch string of 8100 characters the "@set params=" line still fits,
// but the helper's resampler line, which adds the paths and the other
// arguments (about 130 characters here), does not.
TEST(MainScript, NoteWhoseLineWouldBeTooLongIsRefusedByName) {
  RenderConfig config = song();
  std::string& pitch = config.requests[0].resampler.pitchString;
  for (size_t length : {7900, 8100}) {
    pitch.assign(length, 'A');
    RenderFailure failure;
    std::string text = build(config, singleByte, &failure);
    if (length == 8100) {
      EXPECT_EQ(text, "status 24");
      EXPECT_EQ(failure.cause, FailureCause::LineTooLong);
      EXPECT_EQ(failure.noteNumber, 3) << "request index 2, counted from 1";
      EXPECT_EQ(failure.lyric, "a");
    } else {
      EXPECT_NE(text.find(pitch), std::string::npos) << length;
    }
  }
}

// What the interpreter must read as written: the characters beyond ASCII of
// every line but the comment, each once.
TEST(MainScript, NamesTheCharactersBeyondAsciiThatTheInterpreterReads) {
  RenderConfig config = song();
  config.projectName = "\xE9t\xE9";
  config.voiceDir = "C:\\J\xFCrgen \xDF";
  config.requests[0].resampler.inputPath = "\xE9\xFC.wav";
  MainScript script;
  RenderFailure failure;
  ASSERT_EQ(buildMainScript(config, "C:\\\xE0\\PLUGIN~1.BAT", singleByte, script, failure), base::kStatusOk);
  EXPECT_EQ(script.characters, "\xFC\xDF\xE0\xE9");
}

TEST(HelperReference, QuotedOnlyWhenThePathWouldSplit) {
  const struct { const char* path; const char* expected; } cases[] = {  // nullptr: refused, reference untouched
      {"C:\\tmp\\PLUGIN~1.BAT", "C:\\tmp\\PLUGIN~1.BAT"}, {"C:\\a&b\\h.bat", "\"C:\\a&b\\h.bat\""},
      {"C:\\Users\\Jane Doe\\h.bat", "\"C:\\Users\\Jane Doe\\h.bat\""},
      {"C:\\50%\\h.bat", nullptr}, {"C:\\a^b\\h.bat", nullptr},
  };
  for (const auto& c : cases) {
    std::string reference = "sentinel";
    RenderFailure failure;
    int32_t status = formatHelperReference(c.path, singleByte, reference, failure);
    EXPECT_EQ(status, c.expected ? base::kStatusOk : base::kStatusInvalidData) << c.path;
    EXPECT_EQ(reference, c.expected ? c.expected : "sentinel") << c.path;
  }
}

}  // namespace
}  // namespace sondrel
