#include "base/section_text.h"

namespace base {

SectionKind sectionKind(std::string_view header) {
  if (header == "[#SETTING]") return SectionKind::Setting;
  if (header == "[#PREV]") return SectionKind::Previous;
  if (header == "[#NEXT]") return SectionKind::Next;
  if (header == "[#TRACKEND]") return SectionKind::TrackEnd;
  if (header == "[#INSERT]") return SectionKind::Insert;
  if (header == "[#DELETE]") return SectionKind::Delete;
  if (header.size() >= 3 && header[0] == '[' && header[1] == '#' && header[2] >= '0' && header[2] <= '9')
    return SectionKind::Note;
  return SectionKind::Other;
}

std::vector<Section> readSections(std::string_view bytes) {
  std::vector<Section> sections;
  Section current;
  bool open = false;
  forEachSectionLine(bytes, [&](const SectionLine& line) {
    if (line.header) {
      if (open) sections.push_back(std::move(current));
      current = Section{std::string(line.text), {}};
      open = true;
    } else if (line.entry) {
      current.keys[std::string(line.key)] = std::string(line.value);
      open = true;
    }
  });
  if (open) sections.push_back(std::move(current));
  return sections;
}

}  // namespace base
