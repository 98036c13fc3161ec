// Note names as the dialog and the value grid show them: the sharps-only
// pitch class and the octave, 60 being "C4".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillet {

// The name of 24 ("C1") to 119 ("B8"); empty for any other number.
std::string noteLabel(int32_t note);

// The note number of a name: at most the first 15 characters are looked at;
// the name of a pitch class in any ASCII case, then an octave read like atoi
// from the first digit on ("c#4x" is 61). No range check ("B9" is 131);
// -1 when there is no digit, the text before it names no pitch class ("C-1",
// flats) or the number does not fit 32 bits.
int32_t parseNoteLabel(std::string_view text);

}  // namespace quillet
