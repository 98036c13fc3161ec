#include "execution/helper_resampler_call.h"

#include "execution/script_description.h"

namespace sondrel {
namespace {

bool isCall(std::string_view line) { return line.substr(0, 5) == "call "; }

// Runs the lines: sets what they set (also into `set`, in order) and takes
// the parameters of a call line.
void run(const std::vector<ScriptLine>& lines, ScriptVariables& variables, std::vector<ScriptVariable>* set = nullptr,
         std::vector<std::string>* parameters = nullptr) {
  for (const ScriptLine& line : lines) {
    std::string expanded = variables.expand(readText(line));
    ScriptVariable variable;
    if (readSetLine(expanded, variable)) {
      variables.set(variable.name, variable.value);
      if (set) set->push_back(std::move(variable));
    } else if (parameters && isCall(expanded)) {
      *parameters = callParameters(expanded);
    }
  }
}

}  // namespace

ScriptReplay::ScriptReplay(const RenderConfig& config, std::string_view helperReference) {
  run(headerLines(config, helperReference), header_);
}

std::vector<ScriptVariable> ScriptReplay::blockVariables(const RenderRequest& request) const {
  ScriptVariables variables = header_;
  std::vector<ScriptVariable> set;
  run(requestLines(request), variables, &set);
  return set;
}

std::string ScriptReplay::resamplerCommandLine(const RenderRequest& request) const {
  ScriptVariables variables = header_;
  std::vector<std::string> parameters;
  run(requestLines(request), variables, nullptr, &parameters);
  return variables.expand(helperResamplerLine(), parameters);
}

}  // namespace sondrel
