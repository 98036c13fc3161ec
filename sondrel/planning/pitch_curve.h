// The pitch-bend curve of mode 2: each note's bend (PBS/PBW/PBY/PBM) and
// vibrato (VBR) become a per-note curve in tenths of a semitone, one value
// per 5 ticks, kept in the Note's working fields; the pitch array of a note
// being rendered is laid together from the curves of its previous note,
// itself and its next note, in cents relative to its own note number.
//
// Every grid uses the rendering tempo X (the rendered note's tempo), also
// for the neighbours; their lengths in ms use their own tempo.
//
// A hostile plug-in file can ask for any duration (PBW=1e12, Length=2e9 at a
// huge tempo). No curve, bend, vibrato or pitch array spans more than
// kMaxCurveTicks ticks, so memory and time per note stay bounded. The bound
// is 1024 quarter notes, 256 bars of 4/4 for a single note: no song comes
// near it, and within it the results are exactly those of the unbounded
// computation (samples beyond a curve's end are never used).
#pragma once

#include <cstdint>
#include <vector>

#include "project/project.h"

namespace sondrel {

constexpr int32_t kMaxCurveTicks = 480 * 1024;
// Entries of a curve or pitch array at that bound (one per 5 ticks).
constexpr int32_t kMaxCurveEntries = kMaxCurveTicks / 5;

// Samples one tick apart at the rendering tempo, the first at `start` ms on
// the note's time axis (0 = the note's start).
struct CurvePiece {
  std::vector<double> samples;
  double start = 0.0;
};

// Values in cents with a flag per entry telling whether any curve reached it.
struct PitchArray {
  std::vector<int32_t> values;
  std::vector<uint8_t> set;
};

// The pitch array of a sung note, clamped to -2048 ... 2047. Builds (or
// reuses) the curves of the note and of its neighbours.
std::vector<int32_t> buildPitchArray(Note& note);

// Fills the note's curve fields for the rendering tempo; a curve already
// built for exactly that tempo is kept. Rests get no curve.
void buildNoteCurve(Note& note, double tempo);

// Frees the curve's storage and marks it unbuilt.
void releaseCurve(Note& note);

// Lays `curveNote`'s curve onto the array from index `start`, shifted by
// `offset` semitones, where array index `start` stands for time `t0` on the
// curve note's axis.
void placeCurve(const Note& curveNote, int64_t offset, PitchArray& array, int64_t start, double tempo,
                double t0);

// The bend samples (tenths of a semitone); stores the first PBS value in
// `pbsStart`.
CurvePiece buildBend(Note& note, double tempo);
// The vibrato samples (tenths of a semitone).
CurvePiece buildVibrato(const Note& note, double tempo);
// Sets `curve` and `curveStart` from the two pieces.
void mergeCurve(Note& note, double tempo, const CurvePiece& bend, const CurvePiece& vibrato);
// Adds the means of complete groups of five samples to the curve entries
// from the piece's start on, up to the curve's end.
void addAveraged(std::vector<double>& curve, double curveStart, double tempo, const CurvePiece& piece);

}  // namespace sondrel
