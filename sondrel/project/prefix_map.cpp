#include "project/prefix_map.h"

#include <cstdint>
#include <string>

#include "base/note_names.h"
#include "base/number_text.h"
#include "base/text_lines.h"

namespace sondrel {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int32_t noteNumberFromName(std::string_view name) {
  size_t digit = 0;
  while (digit < name.size() && !isDigit(name[digit])) ++digit;
  if (digit == name.size()) return 0;
  std::string_view noteName = name.substr(0, digit);
  for (int index = 0; index < 12; ++index) {
    if (noteName != base::kNoteNames[index]) continue;
    // An octave such as 99999999999 saturates in readInt, and the product is
    // formed in 64 bits and saturated again, so an absurd octave gives the
    // highest note number instead of a signed overflow.
    int64_t number = index + 12 * (int64_t{base::readInt(name.substr(digit))} + 1);
    return number > INT32_MAX ? INT32_MAX : static_cast<int32_t>(number);
  }
  return 0;
}

void loadPrefixMapText(PrefixMap& map, std::string_view bytes) {
  base::forEachLine(bytes, [&](std::string_view line) {
    size_t first = line.find('\t');
    if (first == std::string_view::npos) return;
    size_t second = line.find('\t', first + 1);
    if (second == std::string_view::npos) return;
    int32_t noteNum = noteNumberFromName(line.substr(0, first));
    PrefixEntry& entry = map[noteNum];
    entry.noteNum = noteNum;
    entry.prefix = std::string(line.substr(first + 1, second - first - 1));
    entry.suffix = std::string(line.substr(second + 1));
  });
}

}  // namespace sondrel
