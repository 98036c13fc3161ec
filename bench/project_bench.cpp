// Cost of the project stage at the sizes of a whole song: the merge of a
// modification file for every note, the voice bank load and the read of the
// plug-in file (which loads the bank again, as a render does). Inputs are
// generated at 1x and 4x the base sizes; the cost per input byte should stay
// flat between the two, since every step is meant to be linear.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "base/note_names.h"
#include "project/merge.h"
#include "project/project_reader.h"

namespace {

namespace fs = std::filesystem;

constexpr int kBaseNotes = 5000;
constexpr int kBaseOtoLines = 60000;
constexpr int kSubdirectories = 7;
constexpr const char* kSuffixes[4] = {"", "_L", "_M", "_H"};

struct Inputs {
  fs::path dir;
  fs::path plugin;
  fs::path modification;
  fs::path bank;
  uintmax_t pluginBytes = 0;
  uintmax_t modificationBytes = 0;
  uintmax_t bankBytes = 0;
};

void writeFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

Inputs generate(int scale) {
  Inputs in;
  in.dir = fs::temp_directory_path() / ("sondrel_project_bench_" + std::to_string(scale));
  fs::remove_all(in.dir);
  in.bank = in.dir / "bank";
  const int otoLines = kBaseOtoLines * scale;
  const int aliases = otoLines / 4;

  std::string oto[kSubdirectories + 1];
  for (int i = 0; i < otoLines; ++i) {
    oto[i % (kSubdirectories + 1)] += "f" + std::to_string(i) + ".wav=k" + std::to_string(i / 4) + kSuffixes[i % 4] +
                                      ",10.5,120,-30,60,15\r\n";
  }
  writeFile(in.bank / "oto.ini", oto[0]);
  for (int s = 1; s <= kSubdirectories; ++s) writeFile(in.bank / ("sub" + std::to_string(s)) / "oto.ini", oto[s]);
  std::string prefix;
  for (int note = 24; note < 108; ++note)
    prefix += std::string(base::kNoteNames[note % 12]) + std::to_string(note / 12 - 1) + "\t\t" + kSuffixes[1 + note % 3] + "\r\n";
  writeFile(in.bank / "prefix.map", prefix);
  for (const auto& entry : fs::recursive_directory_iterator(in.bank))
    if (entry.is_regular_file()) in.bankBytes += entry.file_size();

  const int notes = kBaseNotes * scale;
  std::string plugin = "[#SETTING]\r\nTempo=120\r\nTracks=1\r\nVoiceDir=" + in.bank.string() +
                       "\r\nCacheDir=song.cache\r\nTool1=wavtool.exe\r\nTool2=resampler.exe\r\nMode2=True\r\n";
  std::string modification = "[#SETTING]\r\n";
  for (int n = 0; n < notes; ++n) {
    char header[32];
    std::snprintf(header, sizeof header, "[#%04d]\r\n", n);
    plugin += header;
    plugin += "Length=" + std::to_string(240 + 240 * (n % 4)) + "\r\nLyric=" +
              (n % 9 == 0 ? std::string("R") : "k" + std::to_string((n * 7) % aliases)) + "\r\nNoteNum=" +
              std::to_string(48 + n % 36) +
              "\r\nPreUtterance=\r\nVoiceOverlap=\r\nIntensity=100\r\nModulation=0\r\nFlags=B50\r\n"
              "PBS=-40;0\r\nPBW=80\r\nPBY=0\r\nPBM=\r\nEnvelope=0,5,35,0,100,100,0\r\nVelocity=110\r\n"
              "Piches=0,1,2,3,4,5,6,7,8,9\r\nStartPoint=0\r\n";
    std::snprintf(header, sizeof header, "[#%04d]\r\n", n);
    modification += header;
    modification += "Flags=g" + std::to_string(n % 10) + "\r\n";
  }
  plugin += "[#TRACKEND]\r\n";
  in.plugin = in.dir / "song.ust";
  in.modification = in.dir / "modification.ust";
  writeFile(in.plugin, plugin);
  writeFile(in.modification, modification);
  in.pluginBytes = plugin.size();
  in.modificationBytes = modification.size();
  return in;
}

// Best of several runs, in seconds; `prepare` runs before each, untimed.
double bestOf(int runs, const std::function<void()>& prepare, const std::function<void()>& measured) {
  double best = 1e30;
  for (int i = 0; i < runs; ++i) {
    prepare();
    auto start = std::chrono::steady_clock::now();
    measured();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

void report(const char* what, int scale, double seconds, uintmax_t bytes) {
  std::printf("%-10s %2dx %12ju bytes %10.2f ms %8.2f ns/byte\n", what, scale, bytes, seconds * 1e3,
              seconds * 1e9 / static_cast<double>(bytes));
}

}  // namespace

int main() {
  const int runs = 5;
  for (int scale : {1, 4}) {
    Inputs in = generate(scale);
    fs::path work = in.dir / "work.ust";
    double merge = bestOf(
        runs, [&] { fs::copy_file(in.plugin, work, fs::copy_options::overwrite_existing); },
        [&] { sondrel::mergeModification(work.wstring(), in.modification.wstring()); });
    report("merge", scale, merge, in.pluginBytes + in.modificationBytes);

    double bank = bestOf(runs, [] {}, [&] {
      sondrel::VoiceBank voiceBank;
      sondrel::PrefixMap prefixMap;
      sondrel::loadVoiceDirectory(sondrel::readVoiceDirectory(in.bank.string()), prefixMap, voiceBank);
    });
    report("bank load", scale, bank, in.bankBytes);

    size_t notes = 0;
    double read = bestOf(runs, [] {}, [&] {
      sondrel::Project project;
      sondrel::readProject("", project, in.plugin.wstring());
      notes = project.notes.size();
    });
    report("read", scale, read, in.pluginBytes + in.bankBytes);
    std::printf("           (%zu notes read, %d oto.ini lines)\n", notes, kBaseOtoLines * scale);
    fs::remove_all(in.dir);
  }
  return 0;
}
