// Loads fuzzed prefix.map text and reads the input as a note name.
#include <cstdint>
#include <cstdlib>

#include "project/prefix_map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  sondrel::PrefixMap map;
  sondrel::loadPrefixMapText(map, bytes);
  for (const auto& [noteNum, entry] : map)
    if (entry.noteNum != noteNum || noteNum < 0) std::abort();
  if (sondrel::noteNumberFromName(bytes) < 0) std::abort();
  return 0;
}
