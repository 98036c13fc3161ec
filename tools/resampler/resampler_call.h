// The reference resampler: one call turns a voice sample into a note.
//
// Arguments, in order (the 13th may be missing or empty):
//   input WAV, output WAV, note name, velocity, flags, offset, required
//   length, consonant, cutoff, intensity, modulation, tempo, pitch string.
// See tools/README.md for what each one means.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/wav_format.h"

namespace reftools {

// Two minutes: far beyond any note, and small enough that a note stays well
// within the address space of a 32-bit host that loads the library.
constexpr double kMaxRequiredLengthMs = 120000.0;

struct ResamplerCall {
  std::string inputPath;
  std::string outputPath;
  int noteNumber = 60;
  double velocity = 100;          // percent; 100 keeps the consonant as recorded
  double offsetMs = 0;
  double requiredLengthMs = 0;
  double consonantMs = 0;
  double cutoffMs = 0;            // >= 0: cut from the end; < 0: length from the offset
  double intensity = 100;         // percent volume
  double modulation = 0;          // percent of the sample's own pitch movement kept
  double tempo = 120;             // beats per minute of the pitch string's 5-tick grid
  std::vector<int32_t> pitchCents;
};

// "C4", "C#4", "A#-1": sharps only, octave n covering note numbers
// 12 (n + 1) to 12 (n + 1) + 11. False outside note numbers 0 to 127.
bool parseNoteName(const std::string& text, int& noteNumber);

bool parseResamplerArguments(const std::vector<std::string>& arguments, ResamplerCall& call,
                             std::string& error);

// The note: exactly requiredLengthMs × 44.1 samples (rounded), pitch moved
// to the note plus the pitch string, consonant kept, the rest stretched.
bool renderNote(const Audio& source, const ResamplerCall& call, std::vector<float>& note,
                std::string& error);

// Whole call as the program and the library make it: 0 on success, 1 on
// any failure (with the reason in `error`); no output file on failure.
int runResampler(const std::vector<std::string>& arguments, std::string& error);

}  // namespace reftools
