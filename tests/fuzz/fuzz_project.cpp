// Reads fuzzed plug-in files against a small voice bank written once at
// start, and checks that every computed time stays finite and that the notes
// are linked in order.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "project/project.h"

namespace {

std::string voiceRoot;

void write(const std::filesystem::path& path, const char* bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

bool finite(const sondrel::Note& note) {
  for (double value : {note.velocityFactor, note.effectivePreUtterance, note.effectiveOverlap,
                       note.effectiveStartPoint, note.nextPreUtterance, note.nextOverlap})
    if (!std::isfinite(value)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::filesystem::path root = std::filesystem::temp_directory_path() / "sondrel_fuzz_project";
  write(root / "bank" / "oto.ini", "a.wav=a,10,20,-30,40,5\nka.wav=ka_H,1,2,3,1e30,-1e30\n");
  write(root / "bank" / "B4" / "oto.ini", "i.wav=i,1,2,3,4,5\n");
  write(root / "bank" / "prefix.map", "C4\t\t_H\nD4\tp\ts\n");
  voiceRoot = root.string();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sondrel::Project project;
  sondrel::readProjectText(voiceRoot, project, std::string_view(reinterpret_cast<const char*>(data), size));
  const std::vector<sondrel::Note>& notes = project.notes;
  if (notes.empty() || !(project.tempo > 0.0)) std::abort();
  for (size_t i = 0; i < notes.size(); ++i) {
    if (!finite(notes[i]) || !(notes[i].tempo > 0.0)) std::abort();
    if (notes[i].prev != (i == 0 ? nullptr : &notes[i - 1])) std::abort();
    if (notes[i].next != (i + 1 == notes.size() ? nullptr : &notes[i + 1])) std::abort();
  }
  return 0;
}
