// Deterministic formant synthesis of the demo voice: the five vowels and a
// few consonant-vowel syllables, each a sum of harmonics shaped by a cascade
// of vocal-tract resonances, with band-filtered noise (from a fixed-seed
// generator) for the consonants. The same inputs always give the same
// samples, on every platform the tests run on.
#pragma once

#include <string>
#include <vector>

namespace reftools {

// Steady vowel 'a', 'i', 'u', 'e' or 'o' at fundamental f0 (Hz), with 15 ms
// rise and fall; empty for another letter.
std::vector<float> synthesizeVowel(char vowel, double f0, double seconds);

// Placement of a recorded syllable, in ms from the start of its file, as the
// bank's oto.ini describes it.
struct SyllableTiming {
  double offset = 0;
  double consonant = 0;
  double cutoff = 0;  // negative: length from the offset
  double preUtterance = 0;
  double overlap = 0;
};

// A syllable such as "a" or "ka" (consonants k, s, t, n, m) as a sample file's
// sound; false for a syllable the voice cannot say.
bool synthesizeSyllable(const std::string& syllable, double f0, std::vector<float>& samples,
                        SyllableTiming& timing);

struct BankFile {
  std::string path;  // relative to the bank directory, "/" between components
  std::string bytes;
};

// Every file of the demo bank: the low voice (A3) with oto.ini in the bank
// directory, the high voice (G4) in the subdirectory "high" with aliases
// prefixed "hi_", and prefix.map choosing the high voice from E4 up.
std::vector<BankFile> buildDemoBank();

}  // namespace reftools
