#include "common/tool_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/number_text.h"

namespace reftools {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool parseArgument(std::string_view text, const char* name, double& value, std::string& error) {
  std::string_view number = text;
  while (!number.empty() && isBlank(number.front())) number.remove_prefix(1);
  while (!number.empty() && isBlank(number.back())) number.remove_suffix(1);
  size_t length = base::decimalPrefixLength(number);
  // readDouble saturates at the double range instead of giving infinity.
  if (length != 0 && length == number.size()) {
    value = base::readDouble(number);
    if (std::fabs(value) < 1e300) return true;
  }
  error = std::string("malformed ") + name + ": \"" + std::string(text) + "\"";
  return false;
}

double clampTo(double value, double low, double high) {
  return value < low ? low : (value > high ? high : value);
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
