// RIFF WAVE files built byte by byte, for the readers of the program and of
// the reference tools.
#pragma once

#include <cstdint>
#include <string>

namespace wavbytes {

inline void put(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
}

inline std::string chunk(const char* id, const std::string& body) {
  std::string out(id, 4);
  put(out, static_cast<uint32_t>(body.size()), 4);
  out += body;
  if (body.size() % 2) out.push_back('\0');
  return out;
}

inline std::string fmtBody(uint32_t tag, uint32_t channels, uint32_t rate, uint32_t bits) {
  std::string body;
  put(body, tag, 2);
  put(body, channels, 2);
  put(body, rate, 4);
  put(body, rate * channels * bits / 8, 4);
  put(body, channels * bits / 8, 2);
  put(body, bits, 2);
  return body;
}

inline std::string riff(const std::string& chunks) {
  std::string out = "RIFF";
  put(out, static_cast<uint32_t>(chunks.size() + 4), 4);
  return out + "WAVE" + chunks;
}

// The 44-byte header of a file whose data chunk claims `dataSize` bytes.
inline std::string header(uint32_t tag, uint32_t channels, uint32_t rate, uint32_t bits, uint32_t dataSize) {
  std::string out = riff(chunk("fmt ", fmtBody(tag, channels, rate, bits))) + "data";
  put(out, dataSize, 4);
  return out;
}

}  // namespace wavbytes
