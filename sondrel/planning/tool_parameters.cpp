#include "planning/tool_parameters.h"

#include <cmath>

#include "base/ansi_code_page.h"
#include "base/note_names.h"
#include "base/number_text.h"

namespace sondrel {
namespace {

// Calls `single` for every byte that stands for a character of its own and
// copies double-byte characters whole, so that a second byte such as 0x5C in
// a Japanese lyric is never taken for a backslash or a letter.
template <typename Single>
std::string mapCharacters(const std::string& text, Single single) {
  std::string mapped;
  mapped.reserve(text.size() * 2);
  for (size_t i = 0; i < text.size(); ++i) {
    if (base::isAnsiLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
      mapped += text[i];
      mapped += text[++i];
    } else {
      single(text[i], mapped);
    }
  }
  return mapped;
}

bool isNotInFileNames(char c) {
  return static_cast<unsigned char>(c) < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
}

}  // namespace

std::string formatNoteName(int32_t noteNum) {
  // 64-bit so that the floor division of INT32_MIN cannot overflow.
  int64_t n = noteNum;
  int64_t pitch = ((n % 12) + 12) % 12;
  int64_t octave = (n - pitch) / 12 - 1;
  return base::formatText("%s%lld", base::kNoteNames[pitch], static_cast<long long>(octave));
}

std::string formatCacheName(int32_t cacheIndex, const OtoEntry* entry, const Note& note,
                            int32_t requiredLength) {
  std::string name = base::formatText("%d_", cacheIndex);
  name += entry ? entry->file : note.lyric;
  // The last dot may sit in a directory name when the file has none; the
  // name is cut there all the same, as the tools' cache naming expects.
  size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  name += '_';
  name += formatNoteName(note.noteNum);
  name += base::formatText("_%d.wav", requiredLength);
  return flatFileName(name, base::ansiCharacterLength);
}

std::string flatFileName(std::string_view name, base::CharacterLength characterLength) {
  std::string flat;
  flat.reserve(name.size());
  for (size_t at = 0; at < name.size();) {
    size_t length = characterLength(name, at);
    if (length == 0 || (length == 1 && isNotInFileNames(name[at]))) {
      flat += '_';
      length = 1;
    } else {
      flat.append(name, at, length);
    }
    at += length;
  }
  return flat;
}

std::string formatFlags(const std::string& flags) {
  return mapCharacters(flags, [](char c, std::string& out) {
    if (c == 'D' || c == 'E' || c == 'd' || c == 'e') out += '/';
    out += c;
  });
}

std::string formatTempoArg(double tempo) { return "!" + base::formatSingleFixed(tempo); }

std::string formatLengthArg(const Note& note) {
  double lengthMs = ticksToMs(note.length, note.tempo);
  if (!note.direct.empty()) {
    return base::formatSingleFixed(lengthMs + note.effectivePreUtterance + note.nextOverlap - note.nextPreUtterance);
  }
  // The sign is taken after the rounding to single precision, so a tiny
  // negative value prints as "-" and 0.000; zero itself counts as "+".
  float v = base::toSingle(note.nextOverlap + note.effectivePreUtterance - note.nextPreUtterance);
  return base::formatText("%d@%.2f%c%.3f", note.length, note.tempo, v >= 0 ? '+' : '-',
                    std::fabs(static_cast<double>(v)));
}

std::string formatEnvelope(const Note& note) {
  const std::string& envelope = note.envelope;
  const std::string overlap = base::formatSingleFixed(note.effectiveOverlap);
  std::string text;
  text.reserve(envelope.size() + overlap.size() + 1);
  int commas = 0;
  for (size_t i = 0; i < envelope.size(); ++i) {
    char c = envelope[i];
    if (c != ',') {
      text += c;
      continue;
    }
    ++commas;
    // Both back ends hand the wavtool at most eleven envelope values (the DLL
    // entry point has eleven parameters); later fields are dropped here so
    // that scripts and DLL calls play the same envelope.
    if (commas == kMaxEnvelopeValues) break;
    text += ' ';
    if (commas == 7) {
      // The eighth value is always the note's overlap, whatever it says.
      while (i + 1 < envelope.size() && envelope[i + 1] != ',') ++i;
      text += overlap;
    }
  }
  if (commas == 6) {
    text += ' ';
    text += overlap;
  }
  return text;
}

}  // namespace sondrel
