#include "execution/script_expansion.h"

#include "base/ascii_case.h"

namespace sondrel {

size_t ScriptVariables::indexOf(std::string_view name) const {
  for (size_t i = 0; i < variables_.size(); ++i)
    if (base::equalsIgnoringAsciiCase(variables_[i].name, name)) return i;
  return variables_.size();
}

void ScriptVariables::set(std::string_view name, std::string value) {
  size_t index = indexOf(name);
  if (index < variables_.size())
    variables_[index].value = std::move(value);
  else
    variables_.push_back({std::string(name), std::move(value)});
}

std::string ScriptVariables::expand(std::string_view line, const std::vector<std::string>& parameters) const {
  std::string out;
  out.reserve(line.size());
  for (size_t at = 0; at < line.size();) {
    if (line[at] != '%') {
      out += line[at++];
      continue;
    }
    char next = at + 1 < line.size() ? line[at + 1] : '\0';
    if (next == '%') {
      out += '%';
      at += 2;
    } else if (next >= '0' && next <= '9') {
      size_t index = static_cast<size_t>(next - '0');
      if (index < parameters.size()) out += parameters[index];
      at += 2;
    } else {
      size_t close = line.find('%', at + 1);
      if (close == std::string_view::npos) {
        ++at;
        continue;
      }
      size_t index = indexOf(line.substr(at + 1, close - at - 1));
      if (index < variables_.size()) out += variables_[index].value;
      at = close + 1;
    }
  }
  return out;
}

bool readSetLine(std::string_view expandedLine, ScriptVariable& variable) {
  constexpr std::string_view kSet = "@set ";
  if (expandedLine.substr(0, kSet.size()) != kSet) return false;
  size_t equals = expandedLine.find('=');
  if (equals == std::string_view::npos) return false;
  variable = {std::string(expandedLine.substr(kSet.size(), equals - kSet.size())),
              std::string(expandedLine.substr(equals + 1))};
  return true;
}

std::vector<std::string> callParameters(std::string_view expandedCallLine) {
  std::vector<std::string> words;
  bool quoted = false;
  for (char c : expandedCallLine) {
    if (c == ' ' && !quoted) {
      words.emplace_back();
      continue;
    }
    if (words.empty()) words.emplace_back();
    if (c == '"') quoted = !quoted;
    words.back() += c;
  }
  // "call" comes first.
  if (words.size() <= 1) return {};
  return std::vector<std::string>(words.begin() + 1, words.end());
}

}  // namespace sondrel
