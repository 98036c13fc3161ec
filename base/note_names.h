// The names of the twelve pitch classes, sharps only, as the host editor
// writes note names ("C4" is note number 60: the name of n mod 12, then the
// octave n / 12 - 1).
#pragma once

namespace base {

constexpr const char* kNoteNames[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};

}  // namespace base
