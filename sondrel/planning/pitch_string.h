// The resampler's pitch argument: pitch values as pairs of base64 characters
// (the 12-bit two's complement, high six bits first), with runs of equal
// values shortened to "#<further repetitions>#".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "planning/pitch_curve.h"
#include "project/project.h"

namespace sondrel {

// Without Mode2 the note's own Pitches= list, with it the note's pitch array
// (building the curves it needs).
std::string buildPitchString(const Note& note, bool mode2, CurveCache& curves);

// The values of a Pitches= list: one per comma-separated entry (a final
// comma adds none), each read like atoi.
std::vector<int32_t> readPitchList(const std::string& pitches);

std::string encodePitchValues(const std::vector<int32_t>& values);

}  // namespace sondrel
