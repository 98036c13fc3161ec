// Everything sondrel and the reference tools make of numbers, for seeded
// generated songs: the tool libraries' arguments, the resampler command
// lines of the scripts, the main script, the merged plug-in file, and a
// checksum of the WAV that the reference tools render from the arguments.
// The i686 and the x86_64 build must write the same bytes
// (same_numbers.sh compares them).
//
//   number_dump.exe <scratch folder> <first seed> <seeds> <output file>
#include <windows.h>

#include <cstdio>
#include <random>
#include <string>

#include "base/ansi_code_page.h"
#include "common/tool_text.h"
#include "common/wav_format.h"
#include "demo_bank/voice_synth.h"
#include "execution/dll_arguments.h"
#include "execution/helper_resampler_call.h"
#include "execution/script_text.h"
#include "planning/request_list.h"
#include "project/merge.h"
#include "project/project_reader.h"
#include "resampler/resampler_call.h"
#include "shell/render_config_builder.h"
#include "wavtool/wavtool_call.h"

namespace {

using Random = std::mt19937;

// A decimal with up to `decimals` places between the bounds.
std::string number(Random& random, double low, double high, int decimals) {
  double value = std::uniform_real_distribution<double>(low, high)(random);
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

int integer(Random& random, int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

std::string list(Random& random, int count, double low, double high, int decimals) {
  std::string text;
  for (int i = 0; i < count; ++i) text += (i ? "," : "") + number(random, low, high, decimals);
  return text;
}

const char kVowels[] = "aiueo";

// One sample per vowel, written once.
void writeSamples(const std::string& bank) {
  CreateDirectoryA(bank.c_str(), nullptr);
  for (const char* v = kVowels; *v; ++v)
    reftools::writeWholeFile(bank + "\\" + *v + ".wav",
                             reftools::encodeWav(reftools::synthesizeVowel(*v, 196.0 + 11 * (v - kVowels), 1.2)));
}

// The samples at odd offsets and lengths.
void writeOto(const std::string& bank, Random& random) {
  std::string oto;
  for (const char* v = kVowels; *v; ++v)
    oto += std::string(1, *v) + ".wav=" + *v + "," + number(random, 0, 80, 3) + "," + number(random, 10, 120, 2) + "," +
           number(random, -700, 90, 1) + "," + number(random, -20, 150, 4) + "," + number(random, -30, 60, 3) + "\r\n";
  reftools::writeWholeFile(bank + "\\oto.ini", oto);
}

// Odd tempos and lengths, bends, vibratos, envelopes and pitch lists; some
// notes are rests, some tempos change mid-song.
std::string songText(Random& random, const std::string& bank) {
  std::string text = "[#SETTING]\r\nTempo=" + number(random, 40, 300, integer(random, 0, 4)) + "\r\nVoiceDir=" + bank +
                     "\r\nMode2=" + (integer(random, 0, 1) ? "True" : "False") + "\r\n";
  int notes = integer(random, 1, 9);
  for (int i = 0; i < notes; ++i) {
    char section[16];
    std::snprintf(section, sizeof section, "[#%04d]\r\n", i);
    text += section;
    bool rest = integer(random, 0, 5) == 0;
    text += "Length=" + std::to_string(integer(random, 0, 4) ? integer(random, 1, 1920) : integer(random, 1921, 4800)) +
            "\r\nLyric=" + (rest ? std::string("R") : std::string(1, kVowels[integer(random, 0, 4)])) +
            "\r\nNoteNum=" + std::to_string(integer(random, 24, 96)) + "\r\n";
    if (integer(random, 0, 3) == 0) text += "Tempo=" + number(random, 50, 333, 3) + "\r\n";
    if (integer(random, 0, 1)) text += "PreUtterance=" + number(random, -10, 200, 3) + "\r\n";
    if (integer(random, 0, 1)) text += "VoiceOverlap=" + number(random, -40, 90, 2) + "\r\n";
    if (integer(random, 0, 2) == 0) text += "StartPoint=" + number(random, -30, 60, 4) + "\r\n";
    if (integer(random, 0, 1)) text += "Velocity=" + std::to_string(integer(random, 0, 200)) + "\r\n";
    if (integer(random, 0, 1)) text += "Intensity=" + number(random, 0, 200, 1) + "\r\n";
    if (integer(random, 0, 2) == 0) text += "Moduration=" + std::to_string(integer(random, -100, 100)) + "\r\n";
    if (integer(random, 0, 1)) text += "Flags=g" + std::to_string(integer(random, -20, 20)) + "B" + std::to_string(integer(random, 0, 100)) + "\r\n";
    if (integer(random, 0, 1))
      text += "Envelope=" + list(random, 3, 0, 60, 3) + "," + list(random, 4, 0, 200, 1) + ",%," + number(random, 0, 40, 2) +
              "," + list(random, 2, 0, 30, 3) + "," + number(random, 0, 100, 1) + "\r\n";
    int points = integer(random, 0, 5);
    if (points) {
      text += "PBS=" + number(random, -120, 20, 3) + ";" + number(random, -30, 30, 2) + "\r\nPBW=" +
              list(random, points, 1, 400, 2) + "\r\n";
      if (points > 1) text += "PBY=" + list(random, points - 1, -200, 200, 3) + "\r\n";
      text += "PBM=" + std::string(",s,r,j,").substr(0, static_cast<size_t>(integer(random, 0, 7))) + "\r\n";
    }
    if (integer(random, 0, 2) == 0)
      text += "VBR=" + number(random, 10, 100, 2) + "," + number(random, 20, 400, 3) + "," + number(random, 0, 100, 1) +
              "," + list(random, 2, 0, 100, 2) + "," + list(random, 2, -100, 100, 1) + "\r\n";
    if (integer(random, 0, 3) == 0)
      text += "PBType=5\r\nPitches=" + list(random, integer(random, 1, 40), -300, 300, 0) + "\r\n";
  }
  return text;
}

// Keys a plug-in would change, on some of the notes.
std::string modificationText(Random& random, int notes) {
  std::string text;
  for (int i = 0; i < notes; ++i) {
    char section[16];
    std::snprintf(section, sizeof section, "[#%04d]\r\n", i);
    text += section;
    if (integer(random, 0, 1)) text += "Flags=g" + std::to_string(integer(random, -9, 9)) + "\r\n";
    if (integer(random, 0, 2) == 0) text += "PBW=" + list(random, 3, 1, 300, 1) + "\r\n";
  }
  return text;
}

std::string joined(const std::string* begin, const std::string* end) {
  std::string line;
  for (const std::string* a = begin; a != end; ++a) line += "|" + *a;
  return line + "\n";
}

// FNV-1a: the WAV itself would make the dump large.
unsigned long long checksum(const std::string& bytes) {
  unsigned long long hash = 14695981039346656037ull;
  for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

// The DLL-mode render of the reference tools, called in this process.
std::string render(const sondrel::RenderConfig& config) {
  std::string error, log;
  for (const std::string& part : {config.outputPath, config.outputPath + ".whd", config.outputPath + ".dat"})
    DeleteFileA(part.c_str());
  for (const sondrel::RenderRequest& request : config.requests) {
    if (request.kind == sondrel::RequestKind::Sung) {
      sondrel::ResamplerCall call = sondrel::resamplerArguments(config, request);
      reftools::runResampler({call.begin(), call.end()}, error);
    }
    sondrel::WavtoolCall call = sondrel::wavtoolArguments(config, request);
    if (reftools::runWavtool({call.begin(), call.end()}, error)) log += "wavtool failed: " + error + "\n";
  }
  std::string wav;
  reftools::appendFiles(config.outputPath + ".whd", config.outputPath + ".dat", config.outputPath, error);
  reftools::readWholeFile(config.outputPath, wav);
  char line[64];
  std::snprintf(line, sizeof line, "wav %zu bytes, checksum %016llx\n", wav.size(), checksum(wav));
  return log + line;
}

std::string dumpSeed(const std::string& scratch, unsigned seed) {
  Random random(seed);
  const std::string bank = scratch + "\\bank", cache = scratch + "\\t1.cache";
  writeOto(bank, random);
  std::string song = songText(random, bank), out = "seed " + std::to_string(seed) + "\n" + song;
  sondrel::Project project;
  sondrel::readProjectText("", project, song, sondrel::readVoiceDirectory);
  sondrel::RenderConfig config;
  sondrel::takeProjectValues(project, config);
  sondrel::applyPluginMode2(project, config);
  config.cacheDir = cache;
  config.outputPath = scratch + "\\out.wav";
  config.resamplerPath = "C:\\tools\\resampler.exe";
  config.wavtoolPath = "C:\\tools\\wavtool.exe";
  config.requests = sondrel::planRequests(project, config.mode2);
  const sondrel::ScriptReplay scripts(config, "helper.bat");
  for (const sondrel::RenderRequest& request : config.requests) {
    sondrel::ResamplerCall resampler = sondrel::resamplerArguments(config, request);
    sondrel::WavtoolCall wavtool = sondrel::wavtoolArguments(config, request);
    out += "resampler" + joined(resampler.data(), resampler.data() + resampler.size());
    out += "wavtool" + joined(wavtool.data(), wavtool.data() + wavtool.size());
    if (request.kind == sondrel::RequestKind::Sung) out += scripts.resamplerCommandLine(request) + "\n";
  }
  sondrel::MainScript script;
  sondrel::RenderFailure failure;
  int32_t status = sondrel::buildMainScript(config, "helper.bat", base::ansiCharacterLength, script, failure);
  out += "script status " + std::to_string(status) + "\n" + (status ? "" : script.text);

  sondrel::MergeDocument merged = sondrel::parseMergeDocument(song);
  sondrel::applyModification(merged, sondrel::parseMergeDocument(modificationText(random, static_cast<int>(project.notes.size()))));
  sondrel::renumberSections(merged);
  CreateDirectoryA(cache.c_str(), nullptr);
  return out + "merged\n" + sondrel::formatMergeDocument(merged) + render(config);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  const std::string scratch = argv[1];
  const unsigned first = static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)),
                 count = static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10));
  CreateDirectoryA(scratch.c_str(), nullptr);
  writeSamples(scratch + "\\bank");
  std::string dump;
  for (unsigned seed = first; seed < first + count; ++seed) dump += dumpSeed(scratch, seed);
  return reftools::writeWholeFile(argv[4], dump) ? 0 : 1;
}
