// Pitch-synchronous analysis of a sample: one mark per period in voiced
// stretches (period found by autocorrelation), one mark every 5 ms in
// unvoiced ones, so that overlap-add can move and repeat whole periods.
#pragma once

#include <cstddef>
#include <vector>

namespace reftools {

struct PitchMark {
  double position = 0;  // sample index in the source
  double period = 0;    // samples; the grain around the mark spans two of them
  bool voiced = false;
};

// Marks covering source samples [begin, end), in increasing position.
std::vector<PitchMark> findPitchMarks(const std::vector<float>& samples, size_t begin, size_t end);

// Period of the frame centred at `centre`, in samples, or 0 when the frame is
// unvoiced or silent. Searches fundamentals from about 69 Hz to 1 kHz.
double framePeriod(const std::vector<float>& samples, size_t centre);

}  // namespace reftools
