// The graded flag: one flag, a letter and a number, set in the "Flags" of
// the selected notes, the number chosen per pitch (the values of the scale,
// model/note_values.h).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/note_values.h"
#include "model/project_document.h"

namespace quillet {

// The lowest and highest usable note number of the note sections that are
// not rests; false when there is none (the dialog then closes).
bool documentScale(const ProjectDocument& document, Scale& scale);

// The flag letter is the first character of the Flag field, a full-width one
// ("ｇ") as its ASCII form. Only a printable ASCII character other than the
// blank is a letter: an empty field gives none, and so does a control
// character (a line feed would split the written line) or any other
// character (the low byte of "ŧ" would be "g"). Without a letter no note's
// flags change.
bool flagLetter(std::wstring_view fieldText, char& letter);

// Rewrites the first occurrence of the letter and the digits and signs after
// it in "Flags" with letter and value ("%c%d"), or appends it; creates
// "Flags" when missing. The entry is marked changed even when its text stays.
// The search steps over double-byte characters of the ANSI code page, whose
// second byte may equal an ASCII letter ("ト" is 0x83 0x67, "g" is 0x67).
void setFlag(DocumentSection& section, char letter, int32_t value);

// The document as loaded, with setFlag on every note section that is not a
// rest and whose note number lies in the scale with a value that is not
// empty; values[i] is note low + i. Each Play and each OK starts from the
// document as loaded, so the output holds exactly what the dialog shows, and
// nothing an earlier preview applied.
ProjectDocument withValues(const ProjectDocument& loaded, Scale scale, const std::vector<NoteValue>& values,
                           char letter);

}  // namespace quillet
