// Merges a fuzzed modification into a fuzzed plug-in file (the first byte
// says where the input splits) and checks that the written form reads back
// to the same text: renumbered, sorted output is a fixed point.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "project/merge.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  size_t split = rest.size() * data[0] / 255;
  sondrel::MergeDocument plugin = sondrel::parseMergeDocument(rest.substr(0, split));
  sondrel::MergeDocument modification = sondrel::parseMergeDocument(rest.substr(split));
  sondrel::applyModification(plugin, modification);
  sondrel::renumberSections(plugin);
  std::string written = sondrel::formatMergeDocument(plugin);
  if (sondrel::formatMergeDocument(sondrel::parseMergeDocument(written)) != written) std::abort();
  return 0;
}
