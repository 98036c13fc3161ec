// Reads a fuzzed plug-in file against a small voice bank, held in memory as
// the bytes of its files, and plans it in both pitch modes. The reader must leave every computed time finite, every tempo
// above 0 and the notes linked in order; the request list must hold one
// request per planned section, numbered in order, required lengths in steps
// of 50, flat cache names, and pitch strings made only of the encoding's
// characters.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/section_text.h"
#include "planning/request_list.h"
#include "project/project_reader.h"

namespace {

const char kPitchCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/#";

sondrel::VoiceDirectoryFiles voiceDirectory(const std::string&) {
  return {"C4\t\t_H\nD4\tp\ts\n", "a.wav=a,10,20,-30,40,5\nka.wav=ka_H,1,2,3,1e30,-1e30\n",
          {{"B4", "i.wav=i,1,2,3,4,5\n"}}};
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
  for (const sondrel::Note& note : notes) {
    base::SectionKind kind = base::sectionKind(note.section);
    if (kind != base::SectionKind::Previous && kind != base::SectionKind::Next) ++planned;
  }
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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sondrel::Project project;
  sondrel::readProjectText("C:\\voices", project, std::string_view(reinterpret_cast<const char*>(data), size),
                           voiceDirectory);
  checkRead(project);
  for (bool mode2 : {false, true}) checkPlan(project.notes, sondrel::planRequests(project, mode2));
  return 0;
}
