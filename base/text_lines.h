// Line splitting of the host editor's text files, as a text-mode read does it:
// lines end at each line feed, a carriage return right before a line feed is
// dropped, a last line without a line feed still counts, and every other byte
// (NUL and lone carriage returns included) passes through unchanged.
#pragma once

#include <string_view>

namespace base {

template <typename Visit>
void forEachLine(std::string_view bytes, Visit&& visit) {
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    size_t stop = end == std::string_view::npos ? bytes.size() : end;
    if (end != std::string_view::npos && stop > start && bytes[stop - 1] == '\r') --stop;
    visit(bytes.substr(start, stop - start));
    start = next;
  }
}

inline bool startsWith(std::string_view line, std::string_view key) {
  return line.size() >= key.size() && line.compare(0, key.size(), key) == 0;
}

}  // namespace base
