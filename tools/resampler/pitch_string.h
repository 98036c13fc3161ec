// Decoding of the resampler's pitch argument: one value per 5 ticks, in
// cents relative to the note, each written as two characters of the RFC 4648
// base64 alphabet holding a 12-bit two's complement number (high six bits
// first), and "#n#" meaning "the value before this mark, n more times".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace reftools {

// More values than any note needs (over 80 minutes at tempo 120); a repeat
// mark beyond it is refused instead of allocating without bound.
constexpr size_t kMaxPitchValues = size_t{1} << 20;

// False with a reason when the text is not a well-formed pitch string: a
// character outside the alphabet, a value cut in half, a mark with no value
// before it or without its closing "#", or more than kMaxPitchValues values.
// An empty text gives no values.
bool decodePitchString(std::string_view text, std::vector<int32_t>& values, std::string& error);

}  // namespace reftools
