// The argument texts the planner builds for the two tools, and the order in
// which a request's values make up each tool's argument list.
//
// Resampler, in this order (script and DLL back ends alike):
//    1 input sample     ResamplerArgs::inputPath, under the voice directory
//    2 output file      ResamplerArgs::cachePath, under the cache directory
//    3 note name        noteName
//    4 velocity         velocity
//    5 flags            flags
//    6 offset           offset
//    7 required length  requiredLength
//    8 consonant        consonant
//    9 cutoff           cutoff
//   10 intensity        intensity
//   11 modulation       modulation
//   12 tempo            tempoArg
//   13 pitch            pitchString
//
// Wavtool, in this order:
//   sung note:     output WAV (RenderConfig::outputPath), WavtoolArgs::wavInput under
//                  the cache directory, startPoint, lengthArg, then the envelope
//                  values (envelopeArg split at its spaces)
//   direct sample: output WAV, wavInput under the voice directory,
//                  wavOffset + startPoint, lengthArg, envelope values
//   rest:          output WAV, wavInput under the voice directory, 0, lengthArg,
//                  then the envelope values 0 and 0
// The envelope text never holds more than kMaxEnvelopeValues values, so the
// DLL back end's eleven envelope arguments always cover it.
//
// Numeric fields stay numbers in the request; the back ends write them.
#pragma once

#include <cstdint>
#include <string>

#include "base/ansi_code_page.h"
#include "project/project.h"

namespace sondrel {

constexpr int kMaxEnvelopeValues = 11;

// "%s%d" of the sharps-only pitch name and the octave. Note numbers below 0
// continue the scale downwards (floor division): -1 is B-2, -12 is C-2.
std::string formatNoteName(int32_t noteNum);

// "<cacheIndex>_<sample without extension>_<note name>_<length>.wav", made
// a plain name in the cache directory by flatFileName: samples from
// subdirectories of the voice bank get a flat name, and a lyric without an
// entry (which stands for the sample then; `entry` may be null) such as
// "/../../Music/take" or "C:take" can name no file outside the cache
// directory, nor a stream of a file in it.
std::string formatCacheName(int32_t cacheIndex, const OtoEntry* entry, const Note& note,
                            int32_t requiredLength);

// `name` with "_" in place of every character that a file name cannot hold or
// that names a path or a stream (\ / : * ? " < > | and the control
// characters), and of every byte that is no character of the code page
// (`characterLength`): a lead byte without its second byte would join the
// next byte, a "/" say, into a character the system reads in its own way.
std::string flatFileName(std::string_view name, base::CharacterLength characterLength);

// The resampler reads "D" and "E" flags (in either case) only when escaped
// with "/", so every one of them gets that prefix.
std::string formatFlags(const std::string& flags);

// "!%f" of the tempo rounded to single precision.
std::string formatTempoArg(double tempo);

// The wavtool's length: milliseconds ("%f") for a note with a direct sample,
// otherwise ticks, tempo and the pre-utterance adjustment as
// "%d@%.2f%c%.3f".
std::string formatLengthArg(const Note& note);

// The note's envelope with commas turned into spaces and the eighth value
// replaced by the note's effective overlap (appended when the envelope has
// exactly seven values).
std::string formatEnvelope(const Note& note);

}  // namespace sondrel
