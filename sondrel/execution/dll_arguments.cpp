#include "execution/dll_arguments.h"

#include "base/number_text.h"

namespace sondrel {
namespace {

std::string under(const std::string& directory, const std::string& name) { return directory + "\\" + name; }

std::string intText(int32_t value) { return base::formatText("%d", static_cast<int>(value)); }

// Splits at runs of blanks into slots 4 to 14. The envelope format holds at
// most eleven values; further tokens have no slot in the entry point's
// argument list and are left out.
void putEnvelope(WavtoolCall& call, const std::string& envelope) {
  size_t slot = 4;
  size_t i = 0;
  while (slot < call.size()) {
    i = envelope.find_first_not_of(' ', i);
    if (i == std::string::npos) break;
    size_t end = envelope.find(' ', i);
    if (end == std::string::npos) end = envelope.size();
    call[slot++] = envelope.substr(i, end - i);
    i = end;
  }
}

}  // namespace

ResamplerCall resamplerArguments(const RenderConfig& config, const RenderRequest& request) {
  const ResamplerArgs& r = request.resampler;
  return {under(config.voiceDir, r.inputPath),
          under(config.cacheDir, r.cachePath),
          r.noteName,
          base::formatSingleFixed(r.velocity),
          r.flags,
          base::formatSingleFixed(r.offset),
          intText(r.requiredLength),
          base::formatSingleFixed(r.consonant),
          base::formatSingleFixed(r.cutoff),
          intText(r.intensity),
          intText(r.modulation),
          r.tempoArg,
          r.pitchString};
}

WavtoolCall wavtoolArguments(const RenderConfig& config, const RenderRequest& request) {
  const WavtoolArgs& w = request.wavtool;
  WavtoolCall call;
  call[0] = config.outputPath;
  call[3] = w.lengthArg;
  switch (request.kind) {
    case RequestKind::Rest:
      call[1] = under(config.voiceDir, w.wavInput);
      call[2] = "0";
      call[4] = "0";
      call[5] = "0";
      break;
    case RequestKind::Direct:
      call[1] = under(config.voiceDir, w.wavInput);
      call[2] = base::formatSingleFixed(static_cast<double>(base::toSingle(w.wavOffset)) + w.startPoint);
      putEnvelope(call, w.envelopeArg);
      break;
    case RequestKind::Sung:
      call[1] = under(config.cacheDir, w.wavInput);
      call[2] = base::formatSingleFixed(w.startPoint);
      putEnvelope(call, w.envelopeArg);
      break;
  }
  return call;
}

}  // namespace sondrel
