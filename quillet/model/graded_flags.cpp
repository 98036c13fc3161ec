#include "model/graded_flags.h"

#include <algorithm>
#include <string>

#include "base/ansi_code_page.h"
#include "model/field_text.h"

namespace quillet {
namespace {

bool isFlagNumberByte(char c) { return (c >= '0' && c <= '9') || c == '+' || c == '-'; }

// Position of the first character equal to `letter`, or npos; a lead byte
// and its second byte count as one character.
size_t findLetter(const std::string& text, char letter) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == letter) return i;
    if (base::isAnsiLeadByte(static_cast<unsigned char>(text[i]))) ++i;
  }
  return std::string::npos;
}

}  // namespace

bool documentScale(const ProjectDocument& document, Scale& scale) {
  Scale found{kHighestScaleNote + 1, 0};
  for (const DocumentSection& section : document.sections) {
    if (sectionKind(section) != SectionKind::Note || isRest(section)) continue;
    int32_t note = noteNumber(section);
    if (note < 1 || note > kHighestScaleNote) continue;
    found.low = std::min(found.low, note);
    found.high = std::max(found.high, note);
  }
  if (found.high == 0) return false;
  scale = found;
  return true;
}

bool flagLetter(std::wstring_view fieldText, char& letter) {
  char c = fieldText.empty() ? 0 : asciiOf(fieldText[0]);
  if (c < '!' || c > '~') return false;
  letter = c;
  return true;
}

void setFlag(DocumentSection& section, char letter, int32_t value) {
  std::string flag = letter + std::to_string(value);
  const SectionEntry* flags = findValue(section, "Flags");
  if (!flags) {
    setValue(section, "Flags", flag);
    return;
  }
  std::string text = flags->value;
  size_t start = findLetter(text, letter);
  if (start == std::string::npos) {
    text += flag;
  } else {
    size_t end = start + 1;
    while (end < text.size() && isFlagNumberByte(text[end])) ++end;
    text.replace(start, end - start, flag);
  }
  setValue(section, "Flags", text);
}

ProjectDocument withValues(const ProjectDocument& loaded, Scale scale, const std::vector<NoteValue>& values,
                           char letter) {
  ProjectDocument document = loaded;
  for (DocumentSection& section : document.sections) {
    if (sectionKind(section) != SectionKind::Note || isRest(section)) continue;
    int32_t note = noteNumber(section);
    if (note < scale.low || note > scale.high) continue;
    size_t index = static_cast<size_t>(int64_t{note} - scale.low);
    if (index < values.size() && !values[index].empty) setFlag(section, letter, values[index].value);
  }
  return document;
}

}  // namespace quillet
