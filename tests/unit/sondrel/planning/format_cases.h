// Tool-argument texts whose printf formats must give the same bytes in the
// native and the Windows builds (mingw's own printf there); the native unit
// tests and the Wine test program run this one table. Exact ties and
// negative zero are where printf implementations differ.
#pragma once

#include <string>
#include <vector>

#include "base/number_text.h"
#include "planning/pitch_string.h"
#include "planning/tool_parameters.h"

namespace sondrel::format_cases {

struct FormatCase {
  const char* name;
  std::string (*make)();
  const char* expected;
};

// The length argument of a 480-tick note.
inline std::string lengthArg(double tempo, double pre, double nextPre, double nextOverlap, const char* direct = "") {
  Note note;
  note.length = 480;
  note.tempo = tempo;
  note.effectivePreUtterance = pre;
  note.nextPreUtterance = nextPre;
  note.nextOverlap = nextOverlap;
  note.direct = direct;
  return formatLengthArg(note);
}

inline const std::vector<FormatCase>& table() {
  static const std::vector<FormatCase> cases = {
      {"%f negative zero", [] { return base::formatSingleFixed(-0.0); }, "-0.000000"},
      {"%f largest single", [] { return base::formatSingleFixed(-1e300); }, "-340282346638528859811704183484516925440.000000"},
      {"%.6g 1e-05", [] { return base::formatShortest6(0.00001); }, "1e-05"},
      {"%.6g 1e+300", [] { return base::formatShortest6(1e300); }, "1e+300"},
      {"%.6g below a tie", [] { return base::formatShortest6(0.1234565); }, "0.123456"},
      {"%.6g exact tie", [] { return base::formatShortest6(100000.5); }, "100000"},
      {"!%f 145.5", [] { return formatTempoArg(145.5); }, "!145.500000"},
      {"!%f 120.1 as single", [] { return formatTempoArg(120.1); }, "!120.099998"},
      {"length +10", [] { return lengthArg(120, 60, 80, 30); }, "480@120.00+10.000"},
      {"length -12.5", [] { return lengthArg(120, 60, 80, 7.5); }, "480@120.00-12.500"},
      {"length of the last note", [] { return lengthArg(120, 60, 0, 0); }, "480@120.00+60.000"},
      {"length just below 0", [] { return lengthArg(120, 0, 0.0004, 0); }, "480@120.00-0.000"},
      {"%.2f exact tie", [] { return lengthArg(120.125, 0, 0, 0); }, "480@120.12+0.000"},
      {"%.3f exact tie", [] { return lengthArg(120, 0.0625, 0, 0); }, "480@120.00+0.062"},
      {"direct length %f", [] { return lengthArg(120, 60, 80, 30, "1"); }, "510.000000"},
      {"envelope %f", [] {
         Note note;
         note.effectiveOverlap = 7.25;
         return formatEnvelope(note);
       }, "0 5 35 0 100 100 0 7.250000"},
      {"note name below 0", [] { return formatNoteName(-13); }, "B-3"},
      {"#%d# repeat mark", [] { return encodePitchValues(std::vector<int32_t>(1001, -1)); }, "//#1000#"},
  };
  return cases;
}

}  // namespace sondrel::format_cases
