// Reads a fuzzed plug-in file, sets a graded flag over its scale (letter,
// range and which records stay empty taken from the first bytes), and checks
// that the output reads back to the document's note sections, in order, with
// exactly their changed entries.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/graded_flags.h"
#include "model/project_document.h"

using namespace quillet;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  ProjectDocument document;
  parseDocument(std::string_view(reinterpret_cast<const char*>(data + 3), size - 3), document);
  Scale scale;
  char letter = 0;
  if (documentScale(document, scale) && flagLetter(std::wstring(1, static_cast<wchar_t>(data[0])), letter)) {
    std::vector<NoteValue> values = emptyValues(scale);
    fillLinear(values, static_cast<int16_t>(data[1] * 257), static_cast<int16_t>(-data[1] * 131));
    for (size_t i = 0; i < values.size(); ++i) values[i].empty = (i + 1) % (data[2] % 4 + 2) == 0;
    document = withValues(document, scale, values, letter);
  }
  ProjectDocument back;
  parseDocument(formatDocument(document), back);
  size_t n = 0;
  for (const DocumentSection& section : document.sections) {
    if (sectionKind(section) != SectionKind::Note) continue;
    if (n >= back.sections.size()) std::abort();
    const DocumentSection& read = back.sections[n++];
    size_t changed = 0;
    for (const auto& [key, entry] : section) {
      const SectionEntry* found = findValue(read, key);
      bool written = key == "[]" || entry.changed;
      if (written != (found != nullptr) || (found && found->value != entry.value)) std::abort();
      changed += written;
    }
    if (read.size() != changed) std::abort();
  }
  if (n != back.sections.size()) std::abort();
  return 0;
}
