#include "execution/script_expansion.h"

namespace sondrel {

void ScriptExpansion::take(std::string_view line) {
  constexpr std::string_view kSet = "@set ";
  if (line.substr(0, kSet.size()) != kSet) return;
  size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  values_[std::string(line.substr(kSet.size(), equals - kSet.size()))] = std::string(line.substr(equals + 1));
}

std::string ScriptExpansion::expand(std::string_view line, const std::vector<std::string>& parameters) const {
  std::string out;
  out.reserve(line.size());
  for (size_t at = 0; at < line.size();) {
    if (line[at] != '%' || at + 1 >= line.size()) {
      out += line[at++];
      continue;
    }
    char next = line[at + 1];
    if (next == '%') {
      out += '%';
      at += 2;
    } else if (next >= '1' && next <= '9') {
      size_t index = static_cast<size_t>(next - '1');
      if (index < parameters.size()) out += parameters[index];
      at += 2;
    } else {
      size_t close = line.find('%', at + 1);
      auto value = close == std::string_view::npos ? values_.end() : values_.find(line.substr(at + 1, close - at - 1));
      if (value == values_.end()) {
        out += line[at++];
      } else {
        out += value->second;
        at = close + 1;
      }
    }
  }
  return out;
}

std::vector<std::string> ScriptExpansion::callParameters(std::string_view expandedCallLine) {
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
  // "call" and the script's name come first.
  if (words.size() <= 2) return {};
  return std::vector<std::string>(words.begin() + 2, words.end());
}

}  // namespace sondrel
