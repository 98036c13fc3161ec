// The tool-argument texts whose printf formats must give the same bytes in
// the native build and in the Windows builds (where mingw's own printf
// replaces the system runtime's). The native unit tests and the Wine test
// program run this one table. Ties in the last digit and negative zero are
// where printf implementations differ.
#pragma once

#include <string>
#include <vector>

#include "planning/pitch_string.h"
#include "planning/tool_parameters.h"
#include "project/number_text.h"

namespace sondrel::format_cases {

struct FormatCase {
  const char* name;
  std::string (*make)();
  const char* expected;
};

inline Note lengthNote(int32_t length, double tempo, double v) {
  Note note;
  note.length = length;
  note.tempo = tempo;
  note.effectivePreUtterance = v;
  return note;
}

inline const std::vector<FormatCase>& table() {
  static const std::vector<FormatCase> cases = {
      {"%f single 120.1", [] { return formatSingleFixed(120.1); }, "120.099998"},
      {"%f tie 0.0000005", [] { return formatSingleFixed(0.5e-6); }, "0.000000"},
      {"%f negative zero", [] { return formatSingleFixed(-0.0); }, "-0.000000"},
      {"%f largest single", [] { return formatSingleFixed(1e300); }, "340282346638528859811704183484516925440.000000"},
      {"%f smallest single", [] { return formatSingleFixed(-1e300); }, "-340282346638528859811704183484516925440.000000"},
      {"%.6g 1e-05", [] { return formatShortest6(0.00001); }, "1e-05"},
      {"%.6g 1e+300", [] { return formatShortest6(1e300); }, "1e+300"},
      {"%.6g rounding", [] { return formatShortest6(1234567.0); }, "1.23457e+06"},
      {"%.6g below a tie", [] { return formatShortest6(0.1234565); }, "0.123456"},
      {"%.6g exact tie", [] { return formatShortest6(100000.5); }, "100000"},
      {"%.6g integer", [] { return formatShortest6(100.0); }, "100"},
      {"%.6g 0.0001", [] { return formatShortest6(0.0001); }, "0.0001"},
      {"!%f tempo", [] { return formatTempoArg(145.5); }, "!145.500000"},
      {"!%f tempo 120.1", [] { return formatTempoArg(120.1); }, "!120.099998"},
      {"%d@%.2f%c%.3f plain", [] { return formatLengthArg(lengthNote(480, 120, 60)); }, "480@120.00+60.000"},
      {"%.2f tie 120.125", [] { return formatLengthArg(lengthNote(480, 120.125, 0)); }, "480@120.12+0.000"},
      {"%.2f tie 120.375", [] { return formatLengthArg(lengthNote(480, 120.375, 0)); }, "480@120.38+0.000"},
      {"%.3f tie 0.0625", [] { return formatLengthArg(lengthNote(-5, 120, 0.0625)); }, "-5@120.00+0.062"},
      {"%.3f negative", [] { return formatLengthArg(lengthNote(480, 120, -12.5)); }, "480@120.00-12.500"},
      {"%.2f huge tempo", [] { return formatLengthArg(lengthNote(1, 1e20, 0)); }, "1@100000000000000000000.00+0.000"},
      {"%f envelope", [] {
         Note note;
         note.effectiveOverlap = 7.25;
         return formatEnvelope(note);
       }, "0 5 35 0 100 100 0 7.250000"},
      {"#%d# repeat mark", [] { return encodePitchValues(std::vector<int32_t>(1001, -1)); }, "//#1000#"},
      {"%d_ cache name", [] {
         Note note;
         note.lyric = "a";
         note.noteNum = -1;
         return formatCacheName(-3, nullptr, note, -50);
       }, "-3_a_B-2_-50.wav"},
  };
  return cases;
}

}  // namespace sondrel::format_cases
