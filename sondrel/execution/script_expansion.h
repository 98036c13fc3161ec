// The variables of the command interpreter while it runs a script, and the
// "%" expansion of a line with them, by the interpreter's rules for batch
// files: "%%" is "%"; "%0" to "%9" are the parameters of the call (missing
// ones are empty); "%name%" is the variable's value, the name compared in any
// ASCII case, and an unknown variable expands to nothing; a "%" without a
// closing one is dropped.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sondrel {

struct ScriptVariable {
  std::string name;
  std::string value;
};

class ScriptVariables {
 public:
  // A variable set again keeps its place and its first spelling, as in the
  // interpreter's environment.
  void set(std::string_view name, std::string value);
  // `parameters`: the words of the call, the called script first (%0).
  std::string expand(std::string_view line, const std::vector<std::string>& parameters = {}) const;
  // In the order first set.
  const std::vector<ScriptVariable>& all() const { return variables_; }

 private:
  size_t indexOf(std::string_view name) const;

  std::vector<ScriptVariable> variables_;
};

// What an expanded "@set name=value" line sets; false for any other line.
bool readSetLine(std::string_view expandedLine, ScriptVariable& variable);

// The parameters that an expanded call line hands to the script it calls:
// its words from the script's name on (%0), quotes kept.
std::vector<std::string> callParameters(std::string_view expandedCallLine);

}  // namespace sondrel
