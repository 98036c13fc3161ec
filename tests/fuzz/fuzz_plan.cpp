// Reads a fuzzed plug-in file against a small voice bank and plans it in both
// pitch modes. The reader must leave every computed time finite, every tempo
// above 0 and the notes linked in order; the request list must hold one
// request per planned section, numbered in order, required lengths in steps
// of 50, flat cache names, and pitch strings made only of the encoding's
// characters.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "planning/request_list.h"
#include "project/project_reader.h"

namespace {

std::string voiceRoot;
const char kPitchCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/#";

void write(const std::filesystem::path& path, const char* bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

void checkRead(const sondrel::Project& project) {
  const std::vector<sondrel::Note>& notes = project.notes;
  if (notes.empty() || !(project.tempo > 0.0)) std::abort();
  for (size_t i = 0; i < notes.size(); ++i) {
    const sondrel::Note& note = notes[i];
    for (double value : {note.velocityFactor, note.effectivePreUtterance, note.effectiveOverlap,
                         note.effectiveStartPoint, note.nextPreUtterance, note.nextOverlap})
      if (!std::isfinite(value)) std::abort();
    if (!(note.tempo > 0.0)) std::abort();
    if (note.prev != (i == 0 ? nullptr : &notes[i - 1])) std::abort();
    if (note.next != (i + 1 == notes.size() ? nullptr : &notes[i + 1])) std::abort();
  }
}

void checkPlan(const std::vector<sondrel::Note>& notes, const std::vector<sondrel::RenderRequest>& requests) {
  size_t planned = 0;
  for (const sondrel::Note& note : notes)
    if (note.section != "[#PREV]" && note.section != "[#NEXT]") ++planned;
  if (requests.size() != planned) std::abort();
  for (size_t i = 0; i < requests.size(); ++i) {
    const sondrel::RenderRequest& r = requests[i];
    if (r.index != static_cast<int32_t>(i) || r.cacheIndex != r.index) std::abort();
    if (r.resampler.requiredLength % 50 != 0) std::abort();
    // A plain name in the cache directory: nothing that names a path, a
    // stream or a wildcard.
    for (char c : r.resampler.cachePath)
      if (static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
        std::abort();
    if (r.resampler.pitchString.find_first_not_of(kPitchCharacters) != std::string::npos) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::filesystem::path root = std::filesystem::temp_directory_path() / "sondrel_fuzz_plan";
  write(root / "bank" / "oto.ini", "a.wav=a,10,20,-30,40,5\nka.wav=ka_H,1,2,3,1e30,-1e30\n");
  write(root / "bank" / "B4" / "oto.ini", "i.wav=i,1,2,3,4,5\n");
  write(root / "bank" / "prefix.map", "C4\t\t_H\nD4\tp\ts\n");
  voiceRoot = root.string();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sondrel::Project project;
  sondrel::readProjectText(voiceRoot, project, std::string_view(reinterpret_cast<const char*>(data), size));
  checkRead(project);
  for (int mode2 : {1, 2}) {
    std::vector<sondrel::RenderRequest> requests;
    sondrel::planRequests(project.notes, project, mode2, requests);
    checkPlan(project.notes, requests);
  }
  return 0;
}
