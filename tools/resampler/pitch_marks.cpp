#include "resampler/pitch_marks.h"

#include <algorithm>
#include <cmath>

namespace reftools {
namespace {

// The coarse search runs on a copy decimated by four (box average), which
// cuts the cost by sixteen; the refinement then looks at full rate around
// the coarse lag only.
constexpr size_t kDecimation = 4;
constexpr size_t kWindow = 2048;                 // full-rate samples per analysis frame
constexpr size_t kMinCoarseLag = 11;             // about 1 kHz
constexpr size_t kMaxCoarseLag = 160;            // about 69 Hz
constexpr double kVoicedCorrelation = 0.6;
constexpr double kSilenceRms = 1e-3;             // -60 dBFS
constexpr double kUnvoicedStep = 220.5;          // 5 ms

double sampleOrZero(const std::vector<float>& samples, long long index) {
  if (index < 0 || index >= static_cast<long long>(samples.size())) return 0.0;
  return samples[static_cast<size_t>(index)];
}

// Normalised correlation of frame[0, length) with frame[lag, lag + length).
double correlation(const std::vector<double>& frame, size_t lag, size_t length) {
  double cross = 0, energyA = 0, energyB = 0;
  for (size_t i = 0; i < length; ++i) {
    cross += frame[i] * frame[i + lag];
    energyA += frame[i] * frame[i];
    energyB += frame[i + lag] * frame[i + lag];
  }
  double norm = std::sqrt(energyA * energyB);
  return norm > 0 ? cross / norm : 0.0;
}

// Index of the strongest positive peak in [from, to), kept below `limit`.
// Peaks further from `expected` count for less, so a mark follows its pulse
// from period to period instead of jumping to a similar peak beside it, yet
// still finds the pulse again after a wrong start.
double peakPosition(const std::vector<float>& samples, double from, double to, double expected,
                    size_t limit) {
  size_t first = static_cast<size_t>(std::max(0.0, std::ceil(from)));
  size_t last = std::min(static_cast<size_t>(std::max(0.0, std::ceil(to))), limit);
  if (first >= last) return static_cast<double>(first);
  double reach = std::max(1.0, (to - from) / 2);
  size_t best = first;
  double bestScore = -1e300;
  for (size_t i = first; i < last; ++i) {
    double distance = std::fabs(static_cast<double>(i) - expected) / reach;
    double score = samples[i] * (1.0 - 0.3 * std::min(distance, 1.0));
    if (score > bestScore) {
      bestScore = score;
      best = i;
    }
  }
  return static_cast<double>(best);
}

}  // namespace

double framePeriod(const std::vector<float>& samples, size_t centre) {
  long long first = static_cast<long long>(centre) - static_cast<long long>(kWindow / 2);
  std::vector<double> frame(kWindow);
  double energy = 0;
  for (size_t i = 0; i < kWindow; ++i) {
    frame[i] = sampleOrZero(samples, first + static_cast<long long>(i));
    energy += frame[i] * frame[i];
  }
  if (std::sqrt(energy / kWindow) < kSilenceRms) return 0.0;

  std::vector<double> coarse(kWindow / kDecimation);
  for (size_t j = 0; j < coarse.size(); ++j) {
    double sum = 0;
    for (size_t k = 0; k < kDecimation; ++k) sum += frame[j * kDecimation + k];
    coarse[j] = sum / kDecimation;
  }
  size_t coarseLength = coarse.size() - kMaxCoarseLag;
  std::vector<double> score(kMaxCoarseLag + 2, 0.0);
  double best = 0;
  for (size_t lag = kMinCoarseLag; lag <= kMaxCoarseLag; ++lag) {
    score[lag] = correlation(coarse, lag, coarseLength);
    if (score[lag] > best) best = score[lag];
  }
  if (best < kVoicedCorrelation) return 0.0;
  // The first local peak close to the best one: multiples of the period
  // correlate almost as well, and taking the largest peak would halve the
  // fundamental now and then.
  size_t chosen = 0;
  for (size_t lag = kMinCoarseLag + 1; lag < kMaxCoarseLag; ++lag) {
    if (score[lag] >= 0.9 * best && score[lag] >= score[lag - 1] && score[lag] >= score[lag + 1]) {
      chosen = lag;
      break;
    }
  }
  if (chosen == 0) return 0.0;

  size_t centreLag = chosen * kDecimation;
  size_t lowLag = centreLag - kDecimation - 2;
  size_t highLag = centreLag + kDecimation + 2;
  size_t fineLength = kWindow - highLag - 1;
  std::vector<double> fine(highLag + 2, 0.0);
  size_t bestLag = lowLag + 1;
  for (size_t lag = lowLag; lag <= highLag + 1; ++lag) {
    fine[lag] = correlation(frame, lag, fineLength);
    if (lag > lowLag && lag <= highLag && fine[lag] > fine[bestLag]) bestLag = lag;
  }
  // A parabola through the peak and its neighbours places it between samples.
  double left = fine[bestLag - 1], middle = fine[bestLag], right = fine[bestLag + 1];
  double curvature = left - 2 * middle + right;
  double shift = curvature < 0 ? 0.5 * (left - right) / curvature : 0.0;
  if (shift > 0.5) shift = 0.5;
  if (shift < -0.5) shift = -0.5;
  return static_cast<double>(bestLag) + shift;
}

std::vector<PitchMark> findPitchMarks(const std::vector<float>& samples, size_t begin, size_t end) {
  std::vector<PitchMark> marks;
  if (end <= begin) return marks;
  end = std::min(end, samples.size());
  // One period estimate every 5 ms, looked up for each mark.
  const size_t hop = 220;
  std::vector<double> periods;
  for (size_t centre = begin; centre < end + hop; centre += hop)
    periods.push_back(framePeriod(samples, centre));
  double position = static_cast<double>(begin);
  bool previousVoiced = false;
  while (position < static_cast<double>(end)) {
    size_t frame = static_cast<size_t>((position - static_cast<double>(begin)) / hop + 0.5);
    if (frame >= periods.size()) frame = periods.size() - 1;
    PitchMark mark;
    mark.voiced = periods[frame] > 0;
    mark.period = mark.voiced ? periods[frame] : kUnvoicedStep;
    if (mark.voiced) {
      // Voiced marks sit on the waveform's peak, the glottal pulse, so that
      // a grain narrower than the period still holds the pulse. The first
      // one looks through the period ahead, later ones through the period
      // around where the last mark says the next pulse lies.
      double from = previousVoiced ? position - mark.period / 2 : position;
      position = peakPosition(samples, from, from + mark.period, position, end);
      if (position >= static_cast<double>(end)) break;
    }
    mark.position = position;
    marks.push_back(mark);
    previousVoiced = mark.voiced;
    position += mark.period;
  }
  if (marks.empty()) marks.push_back({static_cast<double>(begin), kUnvoicedStep, false});
  return marks;
}

}  // namespace reftools
