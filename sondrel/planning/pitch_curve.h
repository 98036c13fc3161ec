// The pitch-bend curve of mode 2: each note's bend (PBS/PBW/PBY/PBM) and
// vibrato (VBR) become a per-note curve in tenths of a semitone, one value
// per 5 ticks, kept in the planner's CurveCache; the pitch array of a note
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
#include <unordered_map>
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

// A note's curve at one rendering tempo.
struct NoteCurve {
  std::vector<double> samples;  // one per 5 ticks
  double tempo = 0.0;
  double start = 0.0;  // ms on the note's axis
  double end = 0.0;
};

// The curves planning builds, one per note: each is built once per rendering
// tempo and read by the pitch arrays of the note and of its two neighbours.
class CurveCache {
 public:
  // The note's curve at the tempo, built unless it is already; a rest has an
  // empty one.
  const NoteCurve& curveOf(const Note& note, double tempo);
  // The note's curve as last built, or null.
  const NoteCurve* find(const Note& note) const;
  // Frees the note's curve.
  void release(const Note& note) { curves_.erase(&note); }

 private:
  std::unordered_map<const Note*, NoteCurve> curves_;
};

// Values in cents with a flag per entry telling whether any curve reached it.
struct PitchArray {
  std::vector<int32_t> values;
  std::vector<uint8_t> set;
};

// The pitch array of a sung note, clamped to -2048 ... 2047. Builds (or
// reuses) the curves of the note and of its neighbours.
std::vector<int32_t> buildPitchArray(const Note& note, CurveCache& curves);

// The note's curve for the rendering tempo.
NoteCurve buildNoteCurve(const Note& note, double tempo);

// Lays the curve of `curveNote` onto the array from index `start`, shifted by
// `offset` semitones, where array index `start` stands for time `t0` on the
// curve note's axis.
void placeCurve(const Note& curveNote, const NoteCurve& curve, int64_t offset, PitchArray& array, int64_t start,
                double tempo, double t0);

// The bend samples (tenths of a semitone).
CurvePiece buildBend(const Note& note, double tempo);
// The vibrato samples (tenths of a semitone).
CurvePiece buildVibrato(const Note& note, double tempo);
// Adds the means of complete groups of five samples to the curve entries
// from the piece's start on, up to the curve's end.
void addAveraged(std::vector<double>& curve, double curveStart, double tempo, const CurvePiece& piece);

}  // namespace sondrel
