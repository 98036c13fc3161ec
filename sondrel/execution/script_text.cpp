#include "execution/script_text.h"

#include "base/number_text.h"
#include "base/status.h"

namespace sondrel {
namespace {

// Builds the lines of one script; the first field without a safe form makes
// the whole text invalid.
class ScriptLines {
 public:
  explicit ScriptLines(LeadBytePredicate isLeadByte) : isLeadByte_(isLeadByte) {}

  ScriptLines& literal(std::string_view text) {
    text_ += text;
    return *this;
  }
  ScriptLines& field(std::string_view value, BatchPlace place) {
    if (!appendBatchField(text_, value, place, isLeadByte_)) valid_ = false;
    return *this;
  }
  ScriptLines& number(double value) { return literal(base::formatShortest6(value)); }
  ScriptLines& number(int32_t value) { return literal(base::formatText("%d", static_cast<int>(value))); }
  ScriptLines& end() { return literal("\r\n"); }

  bool valid() const { return valid_; }
  std::string& text() { return text_; }

 private:
  LeadBytePredicate isLeadByte_;
  std::string text_;
  bool valid_ = true;
};

void writeHeader(ScriptLines& lines, const RenderConfig& config, std::string_view helperReference) {
  lines.literal("@rem project=").field(config.projectName, BatchPlace::Comment).end();
  lines.literal("@set tempo=").number(config.tempo).end();
  lines.literal("@set samples=").number(static_cast<int32_t>(config.sampleRate)).end();
  lines.literal("@set oto=").field(config.voiceDir, BatchPlace::StoredCallUse).end();
  lines.literal("@set tool=").field(config.wavtoolPath, BatchPlace::StoredQuotedUse).end();
  lines.literal("@set resamp=").field(config.resamplerPath, BatchPlace::StoredQuotedUse).end();
  lines.literal("@set output=").field(config.outputPath, BatchPlace::StoredQuotedUse).end();
  lines.literal("@set helper=").literal(helperReference).end();
  lines.literal("@set cachedir=").field(config.cacheDir, BatchPlace::StoredQuotedUse).end();
  lines.end();
  lines.literal("@del \"%output%\"").end();
  lines.literal("@del \"%output%.whd\"").end();
  lines.literal("@del \"%output%.dat\"").end();
  lines.literal("@mkdir \"%cachedir%\"").end();
  lines.end();
}

void writeRest(ScriptLines& lines, const RenderRequest& request) {
  lines.literal("\"%tool%\" \"%output%\" \"%oto%\\")
      .field(request.wavtool.wavInput, BatchPlace::Quoted)
      .literal("\" 0 ")
      .field(request.wavtool.lengthArg, BatchPlace::Word)
      .literal(" 0 0")
      .end();
}

void writeDirect(ScriptLines& lines, const RenderRequest& request) {
  const WavtoolArgs& wavtool = request.wavtool;
  lines.literal("@set env=").field(wavtool.envelopeArg, BatchPlace::StoredUnquotedUse).end();
  lines.literal("@\"%tool%\" \"%output%\" \"%oto%\\")
      .field(wavtool.wavInput, BatchPlace::Quoted)
      .literal("\" ")
      .number(wavtool.wavOffset + wavtool.startPoint)
      .literal(" ")
      .field(wavtool.lengthArg, BatchPlace::Word)
      .literal(" %env%")
      .end();
}

void writeSung(ScriptLines& lines, const RenderRequest& request) {
  const ResamplerArgs& resampler = request.resampler;
  const WavtoolArgs& wavtool = request.wavtool;
  lines.literal("@set params=")
      .number(resampler.intensity)
      .literal(" ")
      .number(resampler.modulation)
      .literal(" ")
      .field(resampler.tempoArg, BatchPlace::StoredUnquotedUse)
      .literal(" ")
      .field(resampler.pitchString, BatchPlace::StoredUnquotedUse)
      .end();
  lines.literal("@set flag=\"").field(resampler.flags, BatchPlace::StoredInQuotes).literal("\"").end();
  lines.literal("@set env=").field(wavtool.envelopeArg, BatchPlace::StoredUnquotedUse).end();
  lines.literal("@set stp=").number(wavtool.startPoint).end();
  lines.literal("@set vel=").number(resampler.velocity).end();
  lines.literal("@set temp=\"%cachedir%\\").field(resampler.cachePath, BatchPlace::StoredInQuotes).literal("\"").end();
  lines.literal("call %helper% \"%oto%\\")
      .field(resampler.inputPath, BatchPlace::CallQuoted)
      .literal("\" ")
      .field(resampler.noteName, BatchPlace::CallWord)
      .literal(" ")
      .field(wavtool.lengthArg, BatchPlace::CallWord)
      .literal(" ")
      .number(wavtool.preUtterance)
      .literal(" ")
      .number(resampler.offset)
      .literal(" ")
      .number(resampler.requiredLength)
      .literal(" ")
      .number(resampler.consonant)
      .literal(" ")
      .number(resampler.cutoff)
      .literal(" ")
      .number(request.cacheIndex)
      .end();
}

}  // namespace

std::string helperScriptText() {
  return "@if exist %temp% goto A\r\n"
         "@if exist \"%cachedir%\\%9_*.wav\" del \"%cachedir%\\%9_*.wav\"\r\n"
         "@\"%resamp%\" %1 %temp% %2 %vel% %flag% %5 %6 %7 %8 %params%\r\n"
         ":A\r\n"
         "@\"%tool%\" \"%output%\" %temp% %stp% %3 %env%\r\n";
}

int32_t formatHelperReference(std::string_view helperPath, LeadBytePredicate isLeadByte,
                              std::string& reference) {
  std::string path;
  if (!appendBatchField(path, helperPath, BatchPlace::CallQuoted, isLeadByte)) return base::kStatusInvalidData;
  reference = needsQuotes(path, isLeadByte) ? "\"" + path + "\"" : path;
  return base::kStatusOk;
}

int32_t buildMainScript(const RenderConfig& config, std::string_view helperReference,
                        LeadBytePredicate isLeadByte, std::string& text) {
  ScriptLines lines(isLeadByte);
  writeHeader(lines, config, helperReference);
  for (const RenderRequest& request : config.requests) {
    if (request.resampler.isRest)
      writeRest(lines, request);
    else if (request.resampler.skipResample)
      writeDirect(lines, request);
    else
      writeSung(lines, request);
    if (!lines.valid()) return base::kStatusInvalidData;
  }
  lines.end();
  lines.literal("@if not exist \"%output%.whd\" goto E").end();
  lines.literal("@if not exist \"%output%.dat\" goto E").end();
  lines.literal("copy /Y \"%output%.whd\" /B + \"%output%.dat\" /B \"%output%\"").end();
  lines.literal("del \"%output%.whd\"").end();
  lines.literal("del \"%output%.dat\"").end();
  lines.literal(":E").end();
  if (!lines.valid()) return base::kStatusInvalidData;
  text = std::move(lines.text());
  return base::kStatusOk;
}

}  // namespace sondrel
