#include "execution/helper_resampler_call.h"

#include <array>

#include "base/ascii_case.h"
#include "execution/script_text.h"

namespace sondrel {
namespace {

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// The line of the helper script that starts the resampler.
std::string_view resamplerLine(std::string_view helper) {
  size_t at = helper.find("%resamp%");
  size_t start = helper.rfind('\n', at);
  start = start == std::string_view::npos ? 0 : start + 1;
  size_t end = helper.find("\r\n", at);
  return helper.substr(start, end - start);
}

// Expands "%name%" (variable names in any case, an unknown one to nothing, as
// in a batch file) and "%1" to "%9".
std::string expand(std::string_view line, const std::vector<ScriptVariable>& variables,
                   const std::array<std::string, 10>& parameters) {
  std::string text;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '%') {
      text += line[i];
      continue;
    }
    if (i + 1 < line.size() && line[i + 1] >= '0' && line[i + 1] <= '9') {
      text += parameters[static_cast<size_t>(line[++i] - '0')];
      continue;
    }
    size_t close = line.find('%', i + 1);
    if (close == std::string_view::npos) {
      text += line.substr(i);
      break;
    }
    std::string_view name = line.substr(i + 1, close - i - 1);
    for (const ScriptVariable& variable : variables)
      if (base::equalsIgnoringAsciiCase(variable.name, name)) text += variable.value;
    i = close;
  }
  return text;
}

}  // namespace

std::vector<ScriptVariable> headerVariables(const RenderConfig& config, std::string_view helperReference) {
  return {{"tempo", scriptNumber(config.tempo)},
          {"samples", scriptNumber(static_cast<int32_t>(config.sampleRate))},
          {"oto", config.voiceDir},
          {"tool", config.wavtoolPath},
          {"resamp", config.resamplerPath},
          {"output", config.outputPath},
          {"helper", std::string(helperReference)},
          {"cachedir", config.cacheDir}};
}

std::vector<ScriptVariable> blockVariables(const RenderConfig& config, const RenderRequest& request) {
  const ResamplerArgs& resampler = request.resampler;
  const WavtoolArgs& wavtool = request.wavtool;
  if (resampler.isRest) return {};
  if (resampler.skipResample) return {{"env", wavtool.envelopeArg}};
  return {{"params", scriptNumber(resampler.intensity) + " " + scriptNumber(resampler.modulation) + " " +
                         resampler.tempoArg + " " + resampler.pitchString},
          {"flag", quoted(resampler.flags)},
          {"env", wavtool.envelopeArg},
          {"stp", scriptNumber(wavtool.startPoint)},
          {"vel", scriptNumber(resampler.velocity)},
          {"temp", quoted(config.cacheDir + "\\" + resampler.cachePath)}};
}

std::string helperResamplerCommandLine(const RenderConfig& config, const RenderRequest& request) {
  const ResamplerArgs& resampler = request.resampler;
  const WavtoolArgs& wavtool = request.wavtool;
  std::vector<ScriptVariable> variables = headerVariables(config, "");
  for (ScriptVariable& variable : blockVariables(config, request)) variables.push_back(std::move(variable));
  // The parameters of the main script's call line; %0, the helper itself, is
  // not used by the resampler line.
  const std::array<std::string, 10> parameters = {"",
                                                  quoted(config.voiceDir + "\\" + resampler.inputPath),
                                                  resampler.noteName,
                                                  wavtool.lengthArg,
                                                  scriptNumber(wavtool.preUtterance),
                                                  scriptNumber(resampler.offset),
                                                  scriptNumber(resampler.requiredLength),
                                                  scriptNumber(resampler.consonant),
                                                  scriptNumber(resampler.cutoff),
                                                  scriptNumber(request.cacheIndex)};
  std::string helper = helperScriptText();
  std::string_view line = resamplerLine(helper);
  if (!line.empty() && line[0] == '@') line.remove_prefix(1);
  return expand(line, variables, parameters);
}

}  // namespace sondrel
