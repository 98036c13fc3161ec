// The sectioned text of the host editor's files (the plug-in file, a plug-in's
// output, the project file): header lines, whose first byte is "[", and key
// lines, split at their first "=". Every reader of those files in both
// programs reads them through here, so that a header means the same to all.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/text_lines.h"

namespace base {

// What a header line names, compared byte for byte with the whole line:
// "[#SETTING]", "[#PREV]", "[#NEXT]", "[#TRACKEND]", "[#INSERT]" and
// "[#DELETE]" exactly; a note is "[#" and a digit, such as "[#0012]".
enum class SectionKind { Setting, Previous, Next, TrackEnd, Insert, Delete, Note, Other };

SectionKind sectionKind(std::string_view header);

// The sections that stand around the notes: settings, the context notes and
// the end of the track.
inline bool isSpecialSection(SectionKind kind) {
  return kind == SectionKind::Setting || kind == SectionKind::Previous || kind == SectionKind::Next ||
         kind == SectionKind::TrackEnd;
}

struct SectionLine {
  std::string_view text;  // the whole line
  bool header = false;
  bool entry = false;  // not a header, and holds "="
  std::string_view key, value;  // of an entry: before and after its first "="
};

// Every line of the text in order (text_lines.h), classified.
template <typename Visit>
void forEachSectionLine(std::string_view bytes, Visit&& visit) {
  forEachLine(bytes, [&](std::string_view line) {
    SectionLine read;
    read.text = line;
    size_t equals = line.find('=');
    if (!line.empty() && line[0] == '[') {
      read.header = true;
    } else if (equals != std::string_view::npos) {
      read.entry = true;
      read.key = line.substr(0, equals);
      read.value = line.substr(equals + 1);
    }
    visit(read);
  });
}

struct Section {
  std::string header;  // the header line as read; empty for the keys before any header
  std::map<std::string, std::string> keys;  // byte-wise order; a repeated key keeps its last value
};

// The sections in file order. A header opens a section even when no key
// follows; keys before the first header form a section only when there are
// any. Lines that are neither headers nor keys are dropped.
std::vector<Section> readSections(std::string_view bytes);

}  // namespace base
