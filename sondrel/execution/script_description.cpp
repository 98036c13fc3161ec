#include "execution/script_description.h"

#include "base/number_text.h"

namespace sondrel {
namespace {

ScriptPiece literal(std::string text) { return ScriptPiece{std::move(text)}; }
ScriptPiece field(std::string value, BatchPlace place, FailureSubject subject) {
  return ScriptPiece{std::move(value), true, place, subject};
}
ScriptPiece number(double value) { return literal(scriptNumber(value)); }
ScriptPiece number(int32_t value) { return literal(scriptNumber(value)); }

constexpr std::string_view kHelper =
    "@if exist %temp% goto A\r\n"
    "@if exist \"%cachedir%\\%9_*.wav\" del \"%cachedir%\\%9_*.wav\"\r\n"
    "@\"%resamp%\" %1 %temp% %2 %vel% %flag% %5 %6 %7 %8 %params%\r\n"
    ":A\r\n"
    "@\"%tool%\" \"%output%\" %temp% %stp% %3 %env%\r\n";

}  // namespace

std::string scriptNumber(double value) { return base::formatShortest6(value); }
std::string scriptNumber(int32_t value) { return base::formatText("%d", static_cast<int>(value)); }

std::vector<ScriptLine> headerLines(const RenderConfig& config, std::string_view helperReference) {
  return {
      {literal("@rem project="), field(config.projectName, BatchPlace::Comment, FailureSubject::None)},
      {literal("@set tempo="), number(config.tempo)},
      {literal("@set samples="), number(static_cast<int32_t>(config.sampleRate))},
      {literal("@set oto="), field(config.voiceDir, BatchPlace::StoredCallUse, FailureSubject::VoiceDir)},
      {literal("@set tool="), field(config.wavtoolPath, BatchPlace::StoredQuotedUse, FailureSubject::Wavtool)},
      {literal("@set resamp="), field(config.resamplerPath, BatchPlace::StoredQuotedUse, FailureSubject::Resampler)},
      {literal("@set output="), field(config.outputPath, BatchPlace::StoredQuotedUse, FailureSubject::Output)},
      // The reference is made safe for the call line by formatHelperReference.
      {literal("@set helper="), literal(std::string(helperReference))},
      {literal("@set cachedir="), field(config.cacheDir, BatchPlace::StoredQuotedUse, FailureSubject::CacheDir)},
      {},
      {literal("@del \"%output%\"")},
      {literal("@del \"%output%.whd\"")},
      {literal("@del \"%output%.dat\"")},
      {literal("@mkdir \"%cachedir%\"")},
      {},
  };
}

std::vector<ScriptLine> requestLines(const RenderRequest& request) {
  const ResamplerArgs& r = request.resampler;
  const WavtoolArgs& w = request.wavtool;
  switch (request.kind) {
    case RequestKind::Rest:
      return {{literal("\"%tool%\" \"%output%\" \"%oto%\\"), field(w.wavInput, BatchPlace::Quoted, FailureSubject::Sample),
               literal("\" 0 "), field(w.lengthArg, BatchPlace::Word, FailureSubject::Length), literal(" 0 0")}};
    case RequestKind::Direct:
      return {{literal("@set env="), field(w.envelopeArg, BatchPlace::StoredUnquotedUse, FailureSubject::Envelope)},
              {literal("@\"%tool%\" \"%output%\" \"%oto%\\"), field(w.wavInput, BatchPlace::Quoted, FailureSubject::Sample),
               literal("\" "), number(w.wavOffset + w.startPoint), literal(" "),
               field(w.lengthArg, BatchPlace::Word, FailureSubject::Length), literal(" %env%")}};
    case RequestKind::Sung:
      break;
  }
  return {
      {literal("@set params="), number(r.intensity), literal(" "), number(r.modulation), literal(" "),
       field(r.tempoArg, BatchPlace::StoredUnquotedUse, FailureSubject::Tempo), literal(" "),
       field(r.pitchString, BatchPlace::StoredUnquotedUse, FailureSubject::Pitch)},
      {literal("@set flag=\""), field(r.flags, BatchPlace::StoredInQuotes, FailureSubject::Flags), literal("\"")},
      {literal("@set env="), field(w.envelopeArg, BatchPlace::StoredUnquotedUse, FailureSubject::Envelope)},
      {literal("@set stp="), number(w.startPoint)},
      {literal("@set vel="), number(r.velocity)},
      {literal("@set temp=\"%cachedir%\\"), field(r.cachePath, BatchPlace::StoredInQuotes, FailureSubject::CacheName),
       literal("\"")},
      {literal("call %helper% \"%oto%\\"), field(r.inputPath, BatchPlace::CallQuoted, FailureSubject::Sample),
       literal("\" "), field(r.noteName, BatchPlace::CallWord, FailureSubject::NoteName), literal(" "),
       field(w.lengthArg, BatchPlace::CallWord, FailureSubject::Length), literal(" "), number(w.preUtterance), literal(" "),
       number(r.offset), literal(" "), number(r.requiredLength), literal(" "), number(r.consonant), literal(" "),
       number(r.cutoff), literal(" "), number(request.cacheIndex)},
  };
}

std::vector<ScriptLine> trailerLines() {
  return {
      {},
      {literal("@if not exist \"%output%.whd\" goto E")},
      {literal("@if not exist \"%output%.dat\" goto E")},
      {literal("copy /Y \"%output%.whd\" /B + \"%output%.dat\" /B \"%output%\"")},
      {literal("del \"%output%.whd\"")},
      {literal("del \"%output%.dat\"")},
      {literal(":E")},
  };
}

std::string readText(const ScriptLine& line) {
  std::string read;
  for (const ScriptPiece& piece : line) read += piece.text;
  return read;
}

std::string helperScriptText() { return std::string(kHelper); }

std::string_view helperResamplerLine() {
  size_t at = kHelper.find("@\"%resamp%\"");
  return kHelper.substr(at + 1, kHelper.find("\r\n", at) - at - 1);
}

}  // namespace sondrel
