#include "planning/pitch_curve.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/number_text.h"

namespace sondrel {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int32_t kPitchMin = -2048;
constexpr int32_t kPitchMax = 2047;

// Whole ticks in `ms` at `tempo`, saturated to the 32-bit range.
int32_t ticksIn(double ms, double tempo) { return base::truncToInt32(ms * tempo * 8 / 1000); }

// Whole 5-tick steps in `ms` at `tempo`.
int32_t stepsIn(double ms, double tempo) { return ticksIn(ms, tempo) / 5; }

int32_t saturate(int64_t value) {
  return static_cast<int32_t>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

int32_t clampPitch(int64_t value) { return static_cast<int32_t>(std::clamp<int64_t>(value, kPitchMin, kPitchMax)); }

// Rounds half away from zero.
int64_t roundAway(double value) {
  return base::truncToInt32(value >= 0 ? value + 0.5 : value - 0.5);
}

double noteMs(const Note& note) { return ticksToMs(note.length, note.tempo); }

// The number after the first ";" of PBS=, the bend's own start height; 0
// without ";".
double pbsHeight(const std::string& pbs) {
  size_t semicolon = pbs.find(';');
  return semicolon == std::string::npos ? 0.0 : base::readDouble(std::string_view(pbs).substr(semicolon + 1));
}

bool hasSungPrev(const Note& note) { return note.prev != nullptr && !isRestLyric(note.prev->lyric); }

// A cursor over one comma-separated list of PBW=, PBY= or PBM=.
struct ListCursor {
  std::string_view text;
  size_t pos = 0;
  bool exhausted = false;

  std::string_view entry() const {
    if (exhausted) return {};
    size_t comma = text.find(',', pos);
    return text.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos);
  }
  // False when no further "," follows.
  bool advance() {
    if (exhausted) return false;
    size_t comma = text.find(',', pos);
    if (comma == std::string_view::npos) {
      exhausted = true;
      return false;
    }
    pos = comma + 1;
    return true;
  }
};

// An empty PBM= entry: the S-shaped default. Any byte, NUL included, names
// a shape of its own.
constexpr int kDefaultShape = -1;

// Appends `count` samples of the segment from d to y (shape as PBM= names
// it), never letting the piece grow beyond kMaxCurveTicks samples.
void appendSegment(std::vector<double>& samples, int32_t count, int shape, double d, double y) {
  if (shape != kDefaultShape && shape != 's' && shape != 'r' && shape != 'j') return;
  size_t room = kMaxCurveTicks - samples.size();
  size_t n = count > 0 ? std::min<size_t>(static_cast<size_t>(count), room) : 0;
  for (size_t k = 0; k < n; ++k) {
    double i = static_cast<double>(k);
    double value;
    switch (shape) {
      case 's': value = d + i * (y - d) / count; break;
      case 'r': value = d + (y - d) * std::sin(i * (kPi / 2) / count); break;
      case 'j': value = y + (y - d) * std::sin(i * (kPi / 2) / count - kPi / 2); break;
      default: value = std::sin(i * kPi / count - kPi / 2) * (y - d) / 2 + (y + d) / 2; break;
    }
    samples.push_back(value);
  }
}

}  // namespace

CurvePiece buildBend(const Note& note, double tempo) {
  CurvePiece bend;
  if (note.pbs.empty()) return bend;
  double s = base::readDouble(note.pbs);
  double d = hasSungPrev(note) ? (static_cast<double>(note.prev->noteNum) - note.noteNum) * 10 : pbsHeight(note.pbs);
  double preUtterance = note.effectivePreUtterance;
  if (s > -preUtterance) {
    // The bend holds its start height from the pre-utterance until s.
    bend.start = -preUtterance;
    int32_t hold = ticksIn(s + preUtterance, tempo);
    if (hold > 0) bend.samples.assign(std::min(hold, kMaxCurveTicks), d);
  } else {
    bend.start = s;
  }
  ListCursor widths{note.pbw};
  ListCursor heights{note.pby};
  ListCursor shapes{note.pbm};
  for (;;) {
    double w = base::readDouble(widths.entry());
    double y = heights.exhausted ? 0.0 : base::readDouble(heights.entry());
    std::string_view shapeEntry = shapes.entry();
    int shape = shapeEntry.empty() ? kDefaultShape : static_cast<unsigned char>(shapeEntry.front());
    appendSegment(bend.samples, ticksIn(w, tempo), shape, d, y);
    d = y;
    heights.advance();
    shapes.advance();
    if (!widths.advance() || widths.pos >= widths.text.size()) break;
  }
  return bend;
}

CurvePiece buildVibrato(const Note& note, double tempo) {
  CurvePiece vibrato;
  if (note.vbr.empty()) return vibrato;
  float fields[7] = {0.0f, 180.0f, 35.0f, 20.0f, 20.0f, 0.0f, 0.0f};
  base::scanFloats(note.vbr, fields, 7);
  double length = fields[0];
  double cycle = fields[1];
  double depth = fields[2];
  double fadeIn = std::fabs(fields[3]);
  double fadeOut = std::fabs(fields[4]);
  double phase = fields[5];
  double height = fields[6];
  if (!(length > 0 && length < 100)) return vibrato;
  // A cycle of 0 has no wave to draw (it would divide by zero), and a tempo
  // that is not above 0 has no tick to step by: no vibrato then.
  if (cycle == 0 || !(tempo > 0)) return vibrato;
  double lengthMs = noteMs(note);
  double e = length * lengthMs / 100;
  vibrato.start = lengthMs * (100 - length) / 100;
  double fadeInMs = e * fadeIn / 100;
  double fadeOutMs = fadeOut * e / 100;
  double phaseMs = phase * cycle / 100;
  double shift = height * depth / 100;
  double step = 125 / tempo;
  // The bound also ends the walk when the step is too small to move g.
  for (double g = 0; g <= e && vibrato.samples.size() < static_cast<size_t>(kMaxCurveTicks); g += step) {
    double v = std::sin((g - phaseMs) * 2 * kPi / cycle) * depth + shift;
    if (fadeInMs > 0 && g <= fadeInMs) v = v * g / fadeInMs;
    if (fadeOutMs > 0 && e - g <= fadeOutMs) v = v * (e - g) / fadeOutMs;
    vibrato.samples.push_back(v / 10);
  }
  return vibrato;
}

void addAveraged(std::vector<double>& curve, double curveStart, double tempo, const CurvePiece& piece) {
  int64_t c = std::max<int64_t>(0, stepsIn(piece.start - curveStart, tempo));
  const std::vector<double>& s = piece.samples;
  for (size_t i = 0; i + 5 <= s.size() && c < static_cast<int64_t>(curve.size()); i += 5, ++c) {
    curve[static_cast<size_t>(c)] += (s[i] + s[i + 1] + s[i + 2] + s[i + 3] + s[i + 4]) / 5;
  }
}

NoteCurve buildNoteCurve(const Note& note, double tempo) {
  CurvePiece bend = buildBend(note, tempo);
  CurvePiece vibrato = buildVibrato(note, tempo);
  NoteCurve curve;
  curve.tempo = tempo;
  curve.start = std::min({-note.preUtterance, bend.start, vibrato.start});
  int32_t entries = std::clamp(stepsIn(noteMs(note) - curve.start, tempo), 0, kMaxCurveEntries);
  curve.samples.assign(static_cast<size_t>(entries), 0.0);
  addAveraged(curve.samples, curve.start, tempo, bend);
  addAveraged(curve.samples, curve.start, tempo, vibrato);
  curve.samples.push_back(0.0);
  // The curve holds at most kMaxCurveEntries + 1 samples, so the product in
  // ticks times 1000 fits 32 bits as the tools' own arithmetic has it.
  curve.end = curve.start + ticksToMs(static_cast<double>(curve.samples.size()) * 5, tempo);
  return curve;
}

const NoteCurve& CurveCache::curveOf(const Note& note, double tempo) {
  static const NoteCurve kNone;
  if (isRestLyric(note.lyric)) return kNone;
  NoteCurve& curve = curves_[&note];
  if (curve.samples.empty() || curve.tempo != tempo) curve = buildNoteCurve(note, tempo);
  return curve;
}

const NoteCurve* CurveCache::find(const Note& note) const {
  auto found = curves_.find(&note);
  return found == curves_.end() ? nullptr : &found->second;
}

void placeCurve(const Note& curveNote, const NoteCurve& curve, int64_t offset, PitchArray& array, int64_t start,
                double tempo, double t0) {
  const int64_t length = static_cast<int64_t>(array.values.size());
  const int64_t samples = static_cast<int64_t>(curve.samples.size());
  if (isRestLyric(curveNote.lyric) || length < 1 || samples == 0) return;
  int64_t k = stepsIn(t0 - curve.start, tempo);
  if (k >= samples) return;
  int64_t sample = k < 0 ? 0 : k;
  int64_t index = k < 0 ? start - k : start;
  if (index < 0) {
    // Indexes before the array consume their curve samples.
    sample -= index;
    index = 0;
  }
  const double base = static_cast<double>(curveNote.noteNum) * 100;
  const double shift = static_cast<double>(offset) * 100;
  for (; sample < samples && index < length; ++sample, ++index) {
    double value = curve.samples[static_cast<size_t>(sample)];
    size_t i = static_cast<size_t>(index);
    // A later curve is relative to the pitch already laid at the entry.
    if (array.set[i]) {
      array.values[i] = saturate(int64_t{array.values[i]} - roundAway(shift - value * 10));
    } else {
      array.values[i] = saturate(roundAway(base + value * 10));
    }
    array.set[i] = 1;
  }
}

std::vector<int32_t> buildPitchArray(const Note& note, CurveCache& curves) {
  const double tempo = note.tempo;
  const double lengthMs = noteMs(note);
  const Note* prev = note.prev;
  const Note* next = note.next;
  double nextOverlap = next ? next->voiceOverlap : 0.0;
  int32_t steps = std::min(stepsIn(lengthMs + note.preUtterance + nextOverlap, tempo), kMaxCurveEntries);
  int32_t count = steps + 2;
  if (count < 0) count = 2;

  PitchArray array;
  array.values.assign(static_cast<size_t>(count), 0);
  array.set.assign(static_cast<size_t>(count), 0);

  if (prev) {
    placeCurve(*prev, curves.curveOf(*prev, tempo), 0, array, 0, tempo, noteMs(*prev) - note.effectivePreUtterance);
  }
  const NoteCurve& own = curves.curveOf(note, tempo);
  int64_t ownOffset = prev ? int64_t{prev->noteNum} - note.noteNum : 0;
  placeCurve(note, own, ownOffset, array, 0, tempo, -note.preUtterance);
  if (next) {
    const NoteCurve& nextCurve = curves.curveOf(*next, tempo);
    double f = lengthMs + note.effectivePreUtterance;
    // A next note whose bend starts before it is laid on earlier.
    if (!next->pbs.empty() && base::readDouble(next->pbs) < 0) f += nextCurve.start;
    int64_t start = 1 - int64_t{base::truncToInt32(-8 * f * tempo / 1000) / 5};
    placeCurve(*next, nextCurve, int64_t{note.noteNum} - next->noteNum, array, start, tempo, nextCurve.start);
  }

  const int64_t ownPitch = int64_t{note.noteNum} * 100;
  int32_t carry = 0;
  if (hasSungPrev(note)) {
    carry = own.end < 0 ? 0 : clampPitch((int64_t{prev->noteNum} - note.noteNum) * 100);
  } else if (note.pbs.find(';') != std::string::npos) {
    carry = clampPitch(base::truncToInt32(pbsHeight(note.pbs) * 10));
  }
  for (size_t i = 0; i < array.values.size(); ++i) {
    if (array.set[i]) {
      carry = clampPitch(int64_t{array.values[i]} - ownPitch);
    }
    array.values[i] = carry;
  }
  return array.values;
}

}  // namespace sondrel
