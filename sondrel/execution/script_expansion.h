// Script lines as the command interpreter sees them once it has replaced
// their variables and parameters, so that a line too long for it can be
// found before the script runs: the interpreter skips such a line without
// stopping, and the note it belongs to would stay silent.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace sondrel {

class ScriptExpansion {
 public:
  // Records the value of an expanded "@set name=value" line; other lines
  // change nothing.
  void take(std::string_view line);
  // The line with "%name%" replaced by recorded values, "%1" to "%9" by
  // `parameters` and "%%" by "%". Escaping carets stay, so the result is
  // never shorter than what the interpreter reads.
  std::string expand(std::string_view line, const std::vector<std::string>& parameters = {}) const;
  // The parameters that a call line hands to the script it calls: its words
  // after the script's name, quotes kept.
  static std::vector<std::string> callParameters(std::string_view expandedCallLine);

 private:
  std::map<std::string, std::string, std::less<>> values_;
};

}  // namespace sondrel
