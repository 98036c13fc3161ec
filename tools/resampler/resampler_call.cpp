#include "resampler/resampler_call.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/note_names.h"
#include "common/tool_text.h"
#include "resampler/pitch_marks.h"
#include "resampler/pitch_string.h"

namespace reftools {
namespace {

constexpr double kSamplesPerMs = kSampleRate / 1000.0;
constexpr double kPi = 3.14159265358979323846;

double sampleAt(const std::vector<float>& samples, double position) {
  if (samples.empty()) return 0.0;
  if (!(position >= 0) || position >= static_cast<double>(samples.size() - 1)) {
    if (position >= 0 && position < static_cast<double>(samples.size()))
      return samples[samples.size() - 1];
    return 0.0;
  }
  size_t left = static_cast<size_t>(position);
  double fraction = position - static_cast<double>(left);
  return samples[left] + (samples[left + 1] - samples[left]) * fraction;
}

// Cents of the pitch string at output sample n, linear between the values;
// the last value holds to the end of the note.
double pitchCentsAt(const ResamplerCall& call, double n) {
  if (call.pitchCents.empty()) return 0.0;
  // One value per 5 ticks; a tick lasts 125 / tempo ms.
  double samplesPerValue = 5.0 * 125.0 / call.tempo * kSamplesPerMs;
  double index = n / samplesPerValue;
  double last = static_cast<double>(call.pitchCents.size() - 1);
  if (index >= last) return call.pitchCents.back();
  size_t i = static_cast<size_t>(index);
  double fraction = index - static_cast<double>(i);
  return call.pitchCents[i] + (call.pitchCents[i + 1] - call.pitchCents[i]) * fraction;
}

size_t nearestMark(const std::vector<PitchMark>& marks, double position) {
  auto after = std::lower_bound(marks.begin(), marks.end(), position,
                                [](const PitchMark& m, double p) { return m.position < p; });
  if (after == marks.begin()) return 0;
  if (after == marks.end()) return marks.size() - 1;
  auto before = after - 1;
  return position - before->position <= after->position - position
             ? static_cast<size_t>(before - marks.begin())
             : static_cast<size_t>(after - marks.begin());
}

double medianVoicedPeriod(const std::vector<PitchMark>& marks) {
  std::vector<double> periods;
  for (const PitchMark& mark : marks)
    if (mark.voiced) periods.push_back(mark.period);
  if (periods.empty()) return 0.0;
  std::nth_element(periods.begin(), periods.begin() + periods.size() / 2, periods.end());
  return periods[periods.size() / 2];
}

}  // namespace

bool parseNoteName(const std::string& text, int& noteNumber) {
  size_t digits = text.find_first_of("-0123456789");
  if (digits == std::string::npos || digits == 0) return false;
  std::string name = text.substr(0, digits);
  int index = -1;
  for (int i = 0; i < 12; ++i)
    if (name == base::kNoteNames[i]) index = i;
  if (index < 0) return false;
  size_t i = digits;
  bool negative = text[i] == '-';
  if (negative) ++i;
  if (i >= text.size() || i + 2 < text.size()) return false;  // one or two digits
  int octave = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    octave = octave * 10 + (text[i] - '0');
  }
  if (negative) octave = -octave;
  noteNumber = index + 12 * (octave + 1);
  return noteNumber >= 0 && noteNumber <= 127;
}

bool parseResamplerArguments(const std::vector<std::string>& arguments, ResamplerCall& call,
                             std::string& error) {
  if (arguments.size() != 12 && arguments.size() != 13) {
    error = "expected 12 or 13 arguments";
    return false;
  }
  call.inputPath = arguments[0];
  call.outputPath = arguments[1];
  if (call.inputPath.empty() || call.outputPath.empty()) {
    error = "empty input or output path";
    return false;
  }
  if (!parseNoteName(arguments[2], call.noteNumber)) {
    error = "malformed note name: \"" + arguments[2] + "\"";
    return false;
  }
  // arguments[4] holds the flags; this resampler reads none of them.
  if (!parseArgument(arguments[3], "velocity", call.velocity, error) ||
      !parseArgument(arguments[5], "offset", call.offsetMs, error) ||
      !parseArgument(arguments[6], "required length", call.requiredLengthMs, error) ||
      !parseArgument(arguments[7], "consonant", call.consonantMs, error) ||
      !parseArgument(arguments[8], "cutoff", call.cutoffMs, error) ||
      !parseArgument(arguments[9], "intensity", call.intensity, error) ||
      !parseArgument(arguments[10], "modulation", call.modulation, error))
    return false;
  std::string tempo = arguments[11];
  if (!tempo.empty() && tempo[0] == '!') tempo.erase(0, 1);
  if (!parseArgument(tempo, "tempo", call.tempo, error)) return false;
  if (call.requiredLengthMs < 0 || call.requiredLengthMs > kMaxRequiredLengthMs) {
    error = "required length out of range (0 to 120000 ms)";
    return false;
  }
  if (arguments.size() == 13 && !decodePitchString(arguments[12], call.pitchCents, error))
    return false;
  // The pitch grid is 5 ticks of this tempo; without values the tempo is unused.
  if (!call.pitchCents.empty() && !(call.tempo >= 1.0 && call.tempo <= 10000.0)) {
    error = "tempo out of range (1 to 10000)";
    return false;
  }
  return true;
}

bool renderNote(const Audio& source, const ResamplerCall& call, std::vector<float>& note,
                std::string& error) {
  const std::vector<float>& x = source.samples;
  double total = static_cast<double>(x.size());
  double start = std::max(0.0, call.offsetMs * kSamplesPerMs);
  double end = call.cutoffMs < 0 ? start - call.cutoffMs * kSamplesPerMs
                                 : total - call.cutoffMs * kSamplesPerMs;
  end = std::min(end, total);
  if (!(end > start)) {
    error = "offset and cutoff leave nothing of the sample";
    return false;
  }
  size_t length = static_cast<size_t>(std::llround(call.requiredLengthMs * kSamplesPerMs));
  note.assign(length, 0.0f);
  if (length == 0) return true;

  // Higher velocity shortens the consonant by the same factor that the
  // planner applies to the pre-utterance, so the vowel stays on the beat.
  double velocityFactor = std::exp2(1.0 - clampTo(call.velocity, -2000, 2000) / 100.0);
  double consonant = clampTo(call.consonantMs * kSamplesPerMs, 0.0, end - start);
  double consonantOut = std::min(consonant * velocityFactor, static_cast<double>(length));
  double vowelStart = start + consonant;
  double vowelRate = (end - vowelStart) / std::max(1.0, static_cast<double>(length) - consonantOut);
  auto sourcePosition = [&](double n) {
    if (n < consonantOut) return start + n * (consonant / consonantOut);
    return vowelStart + (n - consonantOut) * vowelRate;
  };

  std::vector<PitchMark> marks = findPitchMarks(x, static_cast<size_t>(start),
                                                static_cast<size_t>(std::ceil(end)));
  double medianPeriod = medianVoicedPeriod(marks);
  double noteHz = 440.0 * std::exp2((call.noteNumber - 69) / 12.0);
  double modulation = clampTo(call.modulation, -200, 200) / 100.0;

  std::vector<float> sum(length, 0.0f), weight(length, 0.0f);
  double tau = 0;
  while (tau < static_cast<double>(length)) {
    const PitchMark& mark = marks[nearestMark(marks, sourcePosition(tau))];
    double spacing = mark.period;
    if (mark.voiced) {
      double cents = pitchCentsAt(call, tau) +
                     modulation * 1200.0 * std::log2(medianPeriod / mark.period);
      spacing = kSampleRate / (noteHz * std::exp2(cents / 1200.0));
    }
    // Grains narrower than two samples cannot carry a waveform.
    spacing = std::max(spacing, 2.0);
    // Raised pitch narrows the grain to two target periods: wider grains
    // would overlap out of phase and cancel part of the sound.
    double half = std::min(mark.period, spacing);
    long long first = static_cast<long long>(std::floor(tau - half)) + 1;
    long long last = static_cast<long long>(std::ceil(tau + half)) - 1;
    for (long long n = std::max(first, 0LL); n <= last && n < static_cast<long long>(length); ++n) {
      double d = static_cast<double>(n) - tau;
      double w = 0.5 + 0.5 * std::cos(kPi * d / half);
      sum[static_cast<size_t>(n)] += static_cast<float>(w * sampleAt(x, mark.position + d));
      weight[static_cast<size_t>(n)] += static_cast<float>(w);
    }
    tau += spacing;
  }

  // Where the pitch or the grain width changes, neighbouring windows can sum
  // above one; dividing by the sum there keeps the level steady. Lowered
  // pitch leaves the sum below one between grains, as overlap-add does.
  double gain = clampTo(call.intensity, 0, 200) / 100.0;
  // 2 ms ramps at both ends keep the cut edges of the sample from clicking.
  double ramp = 2.0 * kSamplesPerMs;
  for (size_t n = 0; n < length; ++n) {
    double value = sum[n] / std::max(weight[n], 1.0f) * gain;
    double fromEnd = static_cast<double>(length - 1 - n);
    double edge = std::min({1.0, static_cast<double>(n) / ramp, fromEnd / ramp});
    note[n] = static_cast<float>(value * edge);
  }
  return true;
}

int runResampler(const std::vector<std::string>& arguments, std::string& error) {
  ResamplerCall call;
  if (!parseResamplerArguments(arguments, call, error)) return 1;
  std::string bytes;
  if (!readWholeFile(call.inputPath, bytes)) {
    error = "cannot read " + call.inputPath;
    return 1;
  }
  Audio source;
  if (!decodeWav(bytes, source, error)) {
    error = call.inputPath + ": " + error;
    return 1;
  }
  std::vector<float> note;
  if (!renderNote(source, call, note, error)) return 1;
  if (!writeWholeFile(call.outputPath, encodeWav(note))) {
    // A half-written note would pass for a finished one in the cache.
    std::remove(call.outputPath.c_str());
    error = "cannot write " + call.outputPath;
    return 1;
  }
  return 0;
}

}  // namespace reftools
