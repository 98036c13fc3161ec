#include "common/tool_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "project/number_text.h"

namespace reftools {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Length of the decimal number at the start of text, 0 when there is none.
size_t numberLength(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t digits = 0;
  while (i < text.size() && isDigit(text[i])) { ++i; ++digits; }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) { ++i; ++digits; }
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t e = i + 1;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) ++e;
    if (e >= text.size() || !isDigit(text[e])) return 0;
    while (e < text.size() && isDigit(text[e])) ++e;
    i = e;
  }
  return i;
}

}  // namespace

bool parseNumber(std::string_view text, double& value) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  size_t length = numberLength(text);
  if (length == 0 || length != text.size()) return false;
  value = sondrel::readDouble(text);
  // readDouble saturates at the double range instead of giving infinity.
  return std::fabs(value) < 1e300;
}

bool readWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  // On the heap: the libraries run on the caller's thread, whose stack may be small.
  std::vector<char> buffer(65536);
  size_t got;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0)
    bytes.append(buffer.data(), got);
  bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

bool writeWholeFile(const std::string& path, std::string_view bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fclose(file) == 0 && ok;
  return ok;
}

bool fileExists(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

void logCall(const char* tool, const std::vector<std::string>& arguments) {
  const char* logPath = std::getenv("REFTOOL_LOG");
  if (!logPath || !*logPath) return;
  std::string line = std::string(tool) + " " + std::to_string(arguments.size()) + " ";
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) line += '|';
    for (char c : arguments[i]) line += (c == '\n' || c == '\r') ? ' ' : c;
  }
  line += '\n';
  std::FILE* file = std::fopen(logPath, "ab");
  if (!file) return;
  std::fwrite(line.data(), 1, line.size(), file);
  std::fclose(file);
}

}  // namespace reftools
