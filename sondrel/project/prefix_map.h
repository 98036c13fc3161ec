// prefix.map: per note number, the text put before and after a lyric so that
// a pitch-specific alias of the voice bank is found.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace sondrel {

struct PrefixEntry {
  int32_t noteNum = 0;
  std::string prefix;
  std::string suffix;
};

// A later line for the same note number replaces the earlier entry.
using PrefixMap = std::map<int32_t, PrefixEntry>;

void loadPrefixMapText(PrefixMap& map, std::string_view bytes);
int32_t noteNumberFromName(std::string_view name);

}  // namespace sondrel
