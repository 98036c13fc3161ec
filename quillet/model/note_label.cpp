#include "model/note_label.h"

#include "base/ascii_case.h"
#include "base/note_names.h"
#include "base/number_text.h"

namespace quillet {

std::string noteLabel(int32_t note) {
  if (note < 24 || note > 119) return std::string();
  return base::kNoteNames[note % 12] + std::to_string(note / 12 - 1);
}

int32_t parseNoteLabel(std::string_view text) {
  text = text.substr(0, 15);
  size_t digit = text.find_first_of("0123456789");
  if (digit == std::string_view::npos) return -1;
  std::string_view name = text.substr(0, digit);
  for (int pitchClass = 0; pitchClass < 12; ++pitchClass) {
    if (!base::equalsIgnoringAsciiCase(name, base::kNoteNames[pitchClass])) continue;
    int64_t note = pitchClass + 12 * (int64_t{base::readInt(text.substr(digit))} + 1);
    return note > INT32_MAX ? -1 : static_cast<int32_t>(note);
  }
  return -1;
}

}  // namespace quillet
