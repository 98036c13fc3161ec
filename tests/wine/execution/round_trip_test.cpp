// The escaping rules checked against the real interpreter: random byte
// strings go into every place where a field stands in the scripts; each is
// either refused before any script exists, or the scripts that sondrel
// writes, run by Wine's cmd.exe, hand the stand-in tools exactly the original
// bytes (split at blanks where the field is a list of arguments, as DLL mode
// splits the envelope). Under code page 932 the strings hold every byte
// value; in a single-byte code page the bytes of the characters that the OEM
// code page has too: Wine's interpreter reads the scripts in that one, and
// the rest is refused. ROUND_TRIP_SEED repeats a run.
#include <gtest/gtest.h>

#include <random>

#include "base/ansi_code_page.h"
#include "base/ansi_text.h"
#include "base/code_page_text.h"
#include "base/status.h"
#include "execution/path_limits.h"
#include "execution/script_runner.h"
#include "execution/script_text.h"
#include "execution/script_writer.h"
#include "planning/tool_parameters.h"
#include "windriver.h"

namespace {

using sondrel::RenderConfig;
using sondrel::RenderRequest;
using Arguments = std::vector<std::string>;

std::vector<std::string> words(const std::string& text) {
  std::vector<std::string> out;
  for (size_t start = 0, end; start < text.size(); start = end + 1) {
    end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    if (end > start) out.push_back(text.substr(start, end - start));
  }
  return out;
}

Arguments operator+(Arguments a, const Arguments& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

using Kind = sondrel::RequestKind;

// One field of the scripts: where a random value goes, and which request
// kind carries it.
struct Place {
  const char* name;
  Kind kind;
  bool configWide;  // a field of the whole render: one script per value
  void (*put)(RenderConfig&, RenderRequest&, const std::string&);
};

const Place kPlaces[] = {
    {"comment: project name", Kind::Sung, true, [](RenderConfig& c, RenderRequest&, const std::string& v) { c.projectName = v; }},
    {"stored, used in quotes by the call line: voice folder", Kind::Sung, true,
     [](RenderConfig& c, RenderRequest&, const std::string& v) { c.voiceDir = v; }},
    {"stored, used in quotes: output", Kind::Rest, true,
     [](RenderConfig& c, RenderRequest&, const std::string& v) { c.outputPath = v; }},
    {"word: length of a rest", Kind::Rest, false,
     [](RenderConfig&, RenderRequest& r, const std::string& v) { r.wavtool.lengthArg = v; }},
    {"quoted: sample of a rest", Kind::Rest, false,
     [](RenderConfig&, RenderRequest& r, const std::string& v) { r.wavtool.wavInput = v; }},
    {"quoted: sample of a direct note", Kind::Direct, false,
     [](RenderConfig&, RenderRequest& r, const std::string& v) { r.wavtool.wavInput = v; }},
    {"stored, used as words: envelope", Kind::Sung, false,
     [](RenderConfig&, RenderRequest& r, const std::string& v) { r.wavtool.envelopeArg = v; }},
    {"stored, used as words: pitch string", Kind::Sung, false,
     [](RenderConfig&, RenderRequest& r, const std::string& v) { r.resampler.pitchString = v; }},
    {"stored in quotes: flags", Kind::Sung, false,
     [](RenderConfig&, RenderRequest& r, const std::string& v) { r.resampler.flags = v; }},
    {"stored in quotes: cache file", Kind::Sung, false,
     [](RenderConfig&, RenderRequest& r, const std::string& v) {
       // A name as formatCacheName makes them.
       r.resampler.cachePath = r.wavtool.wavInput = std::to_string(r.cacheIndex) + "_" +
                                                     sondrel::flatFileName(v, base::ansiCharacterLength) + "_C4_500.wav";
     }},
    {"quoted in the call line: sample", Kind::Sung, false,
     [](RenderConfig&, RenderRequest& r, const std::string& v) { r.resampler.inputPath = v; }},
    {"word of the call line: note name", Kind::Sung, false,
     [](RenderConfig&, RenderRequest& r, const std::string& v) { r.resampler.noteName = v; }},
    {"word of the call line: length", Kind::Sung, false,
     [](RenderConfig&, RenderRequest& r, const std::string& v) { r.wavtool.lengthArg = v; }},
};

RenderRequest request(Kind kind, int32_t index) {
  RenderRequest r;
  r.index = r.cacheIndex = index;
  r.kind = kind;
  r.resampler.lyric = "a";
  r.resampler.inputPath = r.wavtool.wavInput = kind == Kind::Sung ? "a.wav" : "b.wav";
  r.resampler.cachePath = r.wavtool.wavInput = kind == Kind::Sung ? std::to_string(index) + "_a_C4_500.wav" : "b.wav";
  r.resampler.noteName = "C4";
  r.resampler.requiredLength = 500;
  r.resampler.tempoArg = "!120.000000";
  r.resampler.pitchString = "AA#3#";
  r.wavtool.lengthArg = "480@120.00+0.000";
  r.wavtool.envelopeArg = kind == Kind::Rest ? "" : "0 5 35 0 100 100 0 30.000000";
  return r;
}

// What the tools receive for a request, as the tool libraries receive it in
// DLL mode, less the number formats.
std::vector<std::pair<std::string, Arguments>> expectedRuns(const RenderConfig& c, const RenderRequest& r) {
  const sondrel::ResamplerArgs& s = r.resampler;
  const sondrel::WavtoolArgs& w = r.wavtool;
  if (r.kind == Kind::Rest) return {{"rt_wavtool.exe", {c.outputPath, c.voiceDir + "\\" + w.wavInput, "0", w.lengthArg, "0", "0"}}};
  if (r.kind == Kind::Direct)
    return {{"rt_wavtool.exe", Arguments{c.outputPath, c.voiceDir + "\\" + w.wavInput, "0", w.lengthArg} +
                                   words(w.envelopeArg)}};
  std::vector<std::pair<std::string, Arguments>> runs;
  const std::string cacheFile = c.cacheDir + "\\" + s.cachePath;
  if (!windriver::fileExists(base::fromAnsi(cacheFile)))
    runs.push_back({"rt_resampler.exe", Arguments{c.voiceDir + "\\" + s.inputPath, cacheFile, s.noteName, "100",
                                                  s.flags, "0", "500", "0", "0", "100", "0"} +
                                            words(s.tempoArg) + words(s.pitchString)});
  runs.push_back({"rt_wavtool.exe", Arguments{c.outputPath, cacheFile, "0", w.lengthArg} + words(w.envelopeArg)});
  return runs;
}

std::vector<std::pair<std::string, Arguments>> readRecords(const std::string& bytes) {
  std::vector<std::pair<std::string, Arguments>> runs;
  for (size_t at = 0; at < bytes.size();) {
    size_t blank = bytes.find(' ', at), end = bytes.find('\n', at);
    runs.push_back({bytes.substr(at, blank - at), {}});
    size_t count = std::stoul(bytes.substr(blank + 1, end - blank - 1));
    at = end + 1;
    for (size_t i = 0; i < count; ++i) {
      size_t colon = bytes.find(':', at);
      size_t length = std::stoul(bytes.substr(at, colon - at));
      runs.back().second.push_back(bytes.substr(colon + 1, length));
      at = colon + 1 + length + 1;
    }
  }
  return runs;
}

class RoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    // One folder per code page: both runs may go on at once.
    dir = windriver::scratchDir(L"execution_round_trip_" + std::to_wstring(GetACP()));
    // The scripts' `del` lines act in the current directory; an output that
    // named a file elsewhere is kept out by the generator below.
    sandbox = dir + L"\\sandbox";
    CreateDirectoryW(sandbox.c_str(), nullptr);
    SetCurrentDirectoryW(sandbox.c_str());
    for (const wchar_t* tool : {L"\\rt_resampler.exe", L"\\rt_wavtool.exe"})
      windriver::copyFile(windriver::buildDir() + L"\\tests\\wine\\execution\\argtool.exe", dir + tool);
    record = dir + L"\\record.txt";
    SetEnvironmentVariableW(L"ARGTOOL_RECORD", record.c_str());
    wchar_t seedText[32] = {};
    seed = GetEnvironmentVariableW(L"ROUND_TRIP_SEED", seedText, 32) ? _wtoi(seedText) : GetTickCount();
    random.seed(seed);
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
      std::string text(1, static_cast<char>(byte)), oem;
      wchar_t missing = 0;
      if (base::toCodePageExact(GetOEMCP(), base::fromCodePage(GetACP(), text), oem, missing))
        sharedBytes += text;
    }
  }
  void TearDown() override { SetCurrentDirectoryW(windriver::buildDir().c_str()); }

  RenderConfig base() const {
    RenderConfig c;
    std::string d = base::toAnsi(dir);
    c.voiceDir = d + "\\voice";
    c.wavtoolPath = d + "\\rt_wavtool.exe";
    c.resamplerPath = d + "\\rt_resampler.exe";
    c.outputPath = "out.wav";
    c.cacheDir = d + "\\t1.cache";
    return c;
  }

  // A byte string that favours the characters the interpreter treats
  // specially, with two-byte characters under code page 932.
  std::string randomText(bool pathLike) {
    static const std::string special = " !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~\t\r\n\x01\x7f";
    const bool doubleByte = GetACP() == 932;
    std::string text;
    for (size_t n = random() % 7; n > 0; --n) {
      unsigned roll = random() % 100;
      if (roll < 40) {
        text += static_cast<char>("aZ09q"[random() % 5]);
      } else if (roll < 70) {
        text += special[random() % special.size()];
      } else if (!doubleByte) {
        text += sharedBytes[random() % sharedBytes.size()];
      } else {
        unsigned char lead = static_cast<unsigned char>(0x80 + random() % 0x80);
        text += static_cast<char>(lead);
        if (base::isAnsiLeadByte(lead) && random() % 4 != 0) {
          static const unsigned char seconds[] = {0x5C, 0x7C, 0x5E, 0x40, 0x7F, 0xA0, 0xFC, 0xFD, 0x22, 0x25};
          text += static_cast<char>(random() % 2 ? seconds[random() % 10] : 0x40 + random() % 0xC0);
        }
      }
    }
    // An output that leaves the sandbox could delete a file elsewhere.
    if (pathLike)
      for (char& c : text)
        if (c == '\\' || c == '/' || c == ':') c = '_';
    return text;
  }

  // Whether sondrel refuses the value in its place before writing a script.
  bool refused(const RenderConfig& config) {
    sondrel::RenderFailure failure;
    sondrel::MainScript script;
    return sondrel::checkPathLimits(config, failure) != base::kStatusOk ||
           sondrel::buildMainScript(config, "C:\\h\\PLUGIN~1.BAT", base::ansiCharacterLength, script, failure) !=
               base::kStatusOk;
  }

  std::vector<std::pair<std::string, Arguments>> run(RenderConfig& config) {
    DeleteFileW(record.c_str());
    sondrel::ScriptPaths paths;
    sondrel::RenderFailure failure;
    EXPECT_EQ(sondrel::writeScripts(config, dir + L"\\t1.tmp", nullptr, paths, failure), base::kStatusOk);
    sondrel::runScript(nullptr, paths.mainScript, paths.codePage, config.cacheDir, failure);
    return readRecords(windriver::fileText(record));
  }

  // Runs the scripts of `config` and compares every tool run with what the
  // requests hold. Under load, Wine's interpreter now and then fails to find
  // a program it has just run ("Can't recognize ..."), and a run goes
  // missing; such a script is run once more, and must then be exact. A fault
  // of the scripts repeats.
  void runAndCompare(RenderConfig config, const std::vector<std::string>& names) {
    std::vector<std::pair<std::string, Arguments>> expected;
    for (const RenderRequest& r : config.requests)
      for (auto& run : expectedRuns(config, r)) expected.push_back(run);
    auto runs = run(config);
    if (runs.size() < expected.size()) runs = run(config);
    EXPECT_EQ(runs.size(), expected.size()) << "seed " << seed;
    // The first difference names the field that caused it.
    for (size_t i = 0; i < runs.size() && i < expected.size(); ++i)
      ASSERT_EQ(runs[i], expected[i]) << "seed " << seed << ", " << names[i < names.size() ? i : 0];
  }

  std::wstring dir, sandbox, record;
  std::string sharedBytes;  // single bytes whose character the OEM code page has too
  unsigned seed = 0;
  std::mt19937 random;
};

TEST_F(RoundTrip, EveryFieldReachesTheToolsExactlyOrIsRefused) {
  constexpr int kValuesPerPlace = 24;
  RenderConfig batch = base();
  std::vector<std::string> names;  // of each expected run of the batch, for the failure message
  for (const Place& place : kPlaces) {
    int accepted = 0;
    for (int i = 0; i < kValuesPerPlace; ++i) {
      RenderConfig config = base();
      config.requests = {request(place.kind, static_cast<int32_t>(batch.requests.size()))};
      const std::string value = randomText(place.put == kPlaces[2].put);
      place.put(config, config.requests[0], value);
      if (refused(config)) continue;
      ++accepted;
      std::string label = std::string(place.name) + " = \"" + value + "\"";
      if (place.configWide) {
        runAndCompare(config, {label, label});
      } else {
        for (size_t n = expectedRuns(config, config.requests[0]).size(); n > 0; --n) names.push_back(label);
        batch.requests.push_back(config.requests[0]);
      }
    }
    // A rule that refused everything would pass trivially.
    EXPECT_GE(accepted, 2) << place.name << ", seed " << seed;
  }
  runAndCompare(batch, names);
}

}  // namespace
