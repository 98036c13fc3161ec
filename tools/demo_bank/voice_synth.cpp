#include "demo_bank/voice_synth.h"

#include <cmath>
#include <cstdint>

#include "base/note_names.h"
#include "base/number_text.h"
#include "common/wav_format.h"

namespace reftools {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRate = kSampleRate;

struct Formants {
  char vowel;
  double f[4];
  double bandwidth[4];
};

// Formant frequencies of a plain adult voice; the wide bandwidths keep the
// vowels soft rather than ringing.
const Formants kVowels[] = {
    {'a', {800, 1200, 2500, 3500}, {90, 110, 160, 250}},
    {'i', {300, 2300, 3000, 3700}, {60, 120, 200, 250}},
    {'u', {350, 1350, 2400, 3500}, {60, 110, 160, 250}},
    {'e', {500, 1900, 2600, 3600}, {70, 110, 160, 250}},
    {'o', {500, 850, 2500, 3500}, {70, 90, 160, 250}},
};

// Magnitude of one second-order resonance at f, 1.0 at 0 Hz.
double resonance(double f, double centre, double bandwidth) {
  double a = centre * centre - f * f;
  return centre * centre / std::sqrt(a * a + f * f * bandwidth * bandwidth);
}

// Harmonic amplitudes up to 5 kHz for a spectral envelope, normalised so
// that the strongest harmonic is 1.
std::vector<double> harmonicAmplitudes(const double* centres, const double* bandwidths,
                                       int formants, double f0) {
  std::vector<double> amplitudes;
  double strongest = 0;
  for (int h = 1; h * f0 < 5000.0; ++h) {
    double f = h * f0;
    double a = 1.0 / h;  // glottal source with lip radiation: -6 dB per octave
    for (int k = 0; k < formants; ++k) a *= resonance(f, centres[k], bandwidths[k]);
    amplitudes.push_back(a);
    if (a > strongest) strongest = a;
  }
  for (double& a : amplitudes) a /= strongest;
  return amplitudes;
}

// Adds a voiced sound over [from, from + count) with a linear rise and fall.
void addVoiced(std::vector<float>& out, size_t from, size_t count,
               const std::vector<double>& amplitudes, double f0, double level, double riseMs) {
  double sum = 0;
  for (double a : amplitudes) sum += a;
  size_t rise = static_cast<size_t>(riseMs * kRate / 1000.0);
  for (size_t i = 0; i < count && from + i < out.size(); ++i) {
    double t = static_cast<double>(from + i) / kRate;
    double v = 0;
    // Cosine phases add up to one sharp pulse per period, like glottal closure.
    for (size_t h = 0; h < amplitudes.size(); ++h)
      v += amplitudes[h] * std::cos(2 * kPi * f0 * static_cast<double>(h + 1) * t);
    double shape = 1.0;
    if (rise > 0 && i < rise) shape = static_cast<double>(i) / rise;
    if (rise > 0 && count - i < rise) shape = static_cast<double>(count - i) / rise;
    out[from + i] += static_cast<float>(v / sum * level * shape);
  }
}

// White noise from a linear congruential generator with a fixed seed,
// shaped by a two-pole band-pass filter.
void addNoise(std::vector<float>& out, size_t from, size_t count, double centre, double q,
              double level, uint32_t seed) {
  double w = 2 * kPi * centre / kRate;
  double alpha = std::sin(w) / (2 * q);
  double b0 = alpha, b2 = -alpha, a0 = 1 + alpha, a1 = -2 * std::cos(w), a2 = 1 - alpha;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  uint32_t state = seed;
  size_t fade = count / 4;
  for (size_t i = 0; i < count && from + i < out.size(); ++i) {
    state = state * 1664525u + 1013904223u;
    double x = static_cast<double>(state >> 8) / 8388608.0 - 1.0;
    double y = (b0 * x + b2 * x2 - a1 * y1 - a2 * y2) / a0;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    double shape = 1.0;
    if (fade > 0 && i < fade) shape = static_cast<double>(i) / fade;
    if (fade > 0 && count - i < fade) shape = static_cast<double>(count - i) / fade;
    out[from + i] += static_cast<float>(y * level * shape);
  }
}

size_t msToSamples(double ms) { return static_cast<size_t>(ms * kRate / 1000.0); }

const Formants* findVowel(char vowel) {
  for (const Formants& f : kVowels)
    if (f.vowel == vowel) return &f;
  return nullptr;
}

// Duration (ms) and overlap (ms) of each consonant; the sound itself is
// added by addConsonant.
struct Consonant {
  char letter;
  double ms;
  double overlap;
};
const Consonant kConsonants[] = {{'k', 70, 15}, {'s', 110, 30}, {'t', 45, 15},
                                 {'n', 60, 20}, {'m', 70, 20}};

void addConsonant(std::vector<float>& out, char letter, size_t from, double f0) {
  static const double kNasalCentres[] = {250, 1100, 2500};
  static const double kNasalBandwidths[] = {100, 300, 300};
  switch (letter) {
    case 'k':  // closure, burst, aspiration
      addNoise(out, from + msToSamples(10), msToSamples(15), 1800, 3, 0.5, 11);
      addNoise(out, from + msToSamples(25), msToSamples(45), 2500, 1, 0.15, 12);
      break;
    case 's':
      addNoise(out, from, msToSamples(110), 6000, 2, 0.35, 21);
      break;
    case 't':
      addNoise(out, from + msToSamples(10), msToSamples(10), 4000, 2, 0.5, 31);
      addNoise(out, from + msToSamples(20), msToSamples(25), 3500, 1, 0.12, 32);
      break;
    case 'n':
    case 'm':
      addVoiced(out, from, msToSamples(letter == 'n' ? 60 : 70),
                harmonicAmplitudes(kNasalCentres, kNasalBandwidths, 3, f0), f0, 0.2, 10);
      break;
    default:
      break;
  }
}

std::string formatOto(const std::string& file, const std::string& alias,
                      const SyllableTiming& t) {
  return base::formatText("%s=%s,%g,%g,%g,%g,%g\r\n", file.c_str(), alias.c_str(), t.offset,
                             t.consonant, t.cutoff, t.preUtterance, t.overlap);
}

}  // namespace

std::vector<float> synthesizeVowel(char vowel, double f0, double seconds) {
  const Formants* formants = findVowel(vowel);
  if (!formants || !(f0 > 0) || !(seconds > 0)) return {};
  std::vector<float> out(msToSamples(seconds * 1000.0), 0.0f);
  addVoiced(out, 0, out.size(), harmonicAmplitudes(formants->f, formants->bandwidth, 4, f0), f0,
            0.5, 15);
  return out;
}

bool synthesizeSyllable(const std::string& syllable, double f0, std::vector<float>& samples,
                        SyllableTiming& timing) {
  const double kLead = 40, kVowel = 700, kTail = 40;
  const Consonant* consonant = nullptr;
  if (syllable.size() == 2) {
    for (const Consonant& c : kConsonants)
      if (c.letter == syllable[0]) consonant = &c;
    if (!consonant) return false;
  } else if (syllable.size() != 1) {
    return false;
  }
  const Formants* vowel = findVowel(syllable.back());
  if (!vowel) return false;
  double consonantMs = consonant ? consonant->ms : 0;
  samples.assign(msToSamples(kLead + consonantMs + kVowel + kTail), 0.0f);
  if (consonant) addConsonant(samples, consonant->letter, msToSamples(kLead), f0);
  addVoiced(samples, msToSamples(kLead + consonantMs), msToSamples(kVowel),
            harmonicAmplitudes(vowel->f, vowel->bandwidth, 4, f0), f0, 0.5, 15);
  // The note begins where the vowel does; the oto entry keeps 10 ms of
  // silence before the sound and stops 40 ms before the vowel fades.
  timing.offset = kLead - 10;
  timing.preUtterance = 10 + consonantMs;
  timing.consonant = timing.preUtterance + 30;
  timing.cutoff = -(timing.preUtterance + kVowel - 50);
  timing.overlap = consonant ? consonant->overlap : 5;
  return true;
}

std::vector<BankFile> buildDemoBank() {
  static const char* const kSyllables[] = {"a", "i", "u", "e", "o", "ka", "sa", "ta", "na", "ma"};
  struct Voice {
    const char* directory;
    const char* aliasPrefix;
    double f0;
  };
  const Voice kVoices[] = {{"", "", 220.0}, {"high/", "hi_", 392.0}};
  const int kFirstHighNote = 64;  // E4

  std::vector<BankFile> files;
  for (const Voice& voice : kVoices) {
    BankFile oto{std::string(voice.directory) + "oto.ini", ""};
    for (const char* syllable : kSyllables) {
      std::vector<float> samples;
      SyllableTiming timing;
      synthesizeSyllable(syllable, voice.f0, samples, timing);
      std::string file = std::string(syllable) + ".wav";
      files.push_back({voice.directory + file, encodeWav(samples)});
      oto.bytes += formatOto(file, voice.aliasPrefix + std::string(syllable), timing);
    }
    files.push_back(oto);
  }
  BankFile map{"prefix.map", ""};
  for (int note = 24; note <= 107; ++note)
    map.bytes += base::formatText("%s%d\t%s\t\r\n", base::kNoteNames[note % 12], note / 12 - 1,
                                  note >= kFirstHighNote ? "hi_" : "");
  files.push_back(map);
  return files;
}

}  // namespace reftools
