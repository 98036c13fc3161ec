#include "execution/script_text.h"

#include <unordered_set>

#include "base/number_text.h"
#include "base/status.h"
#include "execution/script_expansion.h"

namespace sondrel {
namespace {

// Builds the lines of one script; the first field without a safe form makes
// the whole text invalid and is recorded in the failure.
class ScriptLines {
 public:
  ScriptLines(CharacterLength characterLength, RenderFailure& failure)
      : characterLength_(characterLength), failure_(failure) {}

  ScriptLines& literal(std::string_view text) {
    text_ += text;
    return *this;
  }
  ScriptLines& field(std::string_view value, BatchPlace place, FailureSubject subject) {
    if (!valid_) return *this;
    std::string refused;
    if (appendBatchField(text_, value, place, characterLength_, refused)) {
      if (place != BatchPlace::Comment) noteCharacters(value);
    } else {
      valid_ = false;
      failure_.cause = FailureCause::FieldRefused;
      failure_.subject = subject;
      failure_.character = refused;
      if (request_) {
        failure_.noteNumber = request_->index + 1;
        failure_.lyric = request_->resampler.lyric;
      }
    }
    return *this;
  }
  // Text that the interpreter reads in a command, written as it is.
  ScriptLines& command(std::string_view text) {
    noteCharacters(text);
    return literal(text);
  }
  ScriptLines& number(double value) { return literal(scriptNumber(value)); }
  ScriptLines& number(int32_t value) { return literal(scriptNumber(value)); }
  ScriptLines& end() { return literal("\r\n"); }

  // The request whose lines follow, named in a failure.
  void beginRequest(const RenderRequest& request) { request_ = &request; }
  // Whether every line written since the last check, and every helper line
  // that a call among them runs, stays within the interpreter's line length.
  bool linesFit(const std::string& helperText) {
    std::string_view written = std::string_view(text_).substr(checked_);
    checked_ = text_.size();
    for (size_t start = 0, end; (end = written.find("\r\n", start)) != std::string_view::npos; start = end + 2) {
      std::string_view line = written.substr(start, end - start);
      std::string expanded = expansion_.expand(line);
      expansion_.take(expanded);
      if (line.size() >= kMaxScriptLine || expanded.size() >= kMaxScriptLine) return false;
      if (line.substr(0, 5) != "call ") continue;
      std::vector<std::string> parameters = ScriptExpansion::callParameters(expanded);
      for (size_t from = 0, to; (to = helperText.find("\r\n", from)) != std::string::npos; from = to + 2)
        if (expansion_.expand(std::string_view(helperText).substr(from, to - from), parameters).size() >= kMaxScriptLine)
          return false;
    }
    return true;
  }

  bool valid() const { return valid_; }
  std::string& text() { return text_; }
  std::string& characters() { return characters_; }

 private:
  void noteCharacters(std::string_view text) {
    for (size_t at = 0; at < text.size();) {
      size_t length = characterLength_(text, at);
      std::string_view character = text.substr(at, length ? length : 1);
      if (static_cast<unsigned char>(character[0]) >= 0x80 && seen_.insert(std::string(character)).second)
        characters_ += character;
      at += character.size();
    }
  }

  CharacterLength characterLength_;
  RenderFailure& failure_;
  std::string text_;
  bool valid_ = true;
  const RenderRequest* request_ = nullptr;
  size_t checked_ = 0;
  ScriptExpansion expansion_;
  std::string characters_;
  std::unordered_set<std::string> seen_;
};

void writeHeader(ScriptLines& lines, const RenderConfig& config, std::string_view helperReference) {
  lines.literal("@rem project=").field(config.projectName, BatchPlace::Comment, FailureSubject::None).end();
  lines.literal("@set tempo=").number(config.tempo).end();
  lines.literal("@set samples=").number(static_cast<int32_t>(config.sampleRate)).end();
  lines.literal("@set oto=").field(config.voiceDir, BatchPlace::StoredCallUse, FailureSubject::VoiceDir).end();
  lines.literal("@set tool=").field(config.wavtoolPath, BatchPlace::StoredQuotedUse, FailureSubject::Wavtool).end();
  lines.literal("@set resamp=").field(config.resamplerPath, BatchPlace::StoredQuotedUse, FailureSubject::Resampler).end();
  lines.literal("@set output=").field(config.outputPath, BatchPlace::StoredQuotedUse, FailureSubject::Output).end();
  lines.literal("@set helper=").command(helperReference).end();
  lines.literal("@set cachedir=").field(config.cacheDir, BatchPlace::StoredQuotedUse, FailureSubject::CacheDir).end();
  lines.end();
  lines.literal("@del \"%output%\"").end();
  lines.literal("@del \"%output%.whd\"").end();
  lines.literal("@del \"%output%.dat\"").end();
  lines.literal("@mkdir \"%cachedir%\"").end();
  lines.end();
}

void writeRest(ScriptLines& lines, const RenderRequest& request) {
  lines.literal("\"%tool%\" \"%output%\" \"%oto%\\")
      .field(request.wavtool.wavInput, BatchPlace::Quoted, FailureSubject::Sample)
      .literal("\" 0 ")
      .field(request.wavtool.lengthArg, BatchPlace::Word, FailureSubject::Length)
      .literal(" 0 0")
      .end();
}

void writeDirect(ScriptLines& lines, const RenderRequest& request) {
  const WavtoolArgs& wavtool = request.wavtool;
  lines.literal("@set env=").field(wavtool.envelopeArg, BatchPlace::StoredUnquotedUse, FailureSubject::Envelope).end();
  lines.literal("@\"%tool%\" \"%output%\" \"%oto%\\")
      .field(wavtool.wavInput, BatchPlace::Quoted, FailureSubject::Sample)
      .literal("\" ")
      .number(wavtool.wavOffset + wavtool.startPoint)
      .literal(" ")
      .field(wavtool.lengthArg, BatchPlace::Word, FailureSubject::Length)
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
      .field(resampler.tempoArg, BatchPlace::StoredUnquotedUse, FailureSubject::Tempo)
      .literal(" ")
      .field(resampler.pitchString, BatchPlace::StoredUnquotedUse, FailureSubject::Pitch)
      .end();
  lines.literal("@set flag=\"").field(resampler.flags, BatchPlace::StoredInQuotes, FailureSubject::Flags).literal("\"").end();
  lines.literal("@set env=").field(wavtool.envelopeArg, BatchPlace::StoredUnquotedUse, FailureSubject::Envelope).end();
  lines.literal("@set stp=").number(wavtool.startPoint).end();
  lines.literal("@set vel=").number(resampler.velocity).end();
  lines.literal("@set temp=\"%cachedir%\\").field(resampler.cachePath, BatchPlace::StoredInQuotes, FailureSubject::CacheName).literal("\"").end();
  lines.literal("call %helper% \"%oto%\\")
      .field(resampler.inputPath, BatchPlace::CallQuoted, FailureSubject::Sample)
      .literal("\" ")
      .field(resampler.noteName, BatchPlace::CallWord, FailureSubject::NoteName)
      .literal(" ")
      .field(wavtool.lengthArg, BatchPlace::CallWord, FailureSubject::Length)
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

std::string scriptNumber(double value) { return base::formatShortest6(value); }
std::string scriptNumber(int32_t value) { return base::formatText("%d", static_cast<int>(value)); }

std::string helperScriptText() {
  return "@if exist %temp% goto A\r\n"
         "@if exist \"%cachedir%\\%9_*.wav\" del \"%cachedir%\\%9_*.wav\"\r\n"
         "@\"%resamp%\" %1 %temp% %2 %vel% %flag% %5 %6 %7 %8 %params%\r\n"
         ":A\r\n"
         "@\"%tool%\" \"%output%\" %temp% %stp% %3 %env%\r\n";
}

int32_t formatHelperReference(std::string_view helperPath, CharacterLength characterLength, std::string& reference,
                              RenderFailure& failure) {
  std::string path, refused;
  if (!appendBatchField(path, helperPath, BatchPlace::CallQuoted, characterLength, refused)) {
    failure.cause = FailureCause::FieldRefused;
    failure.subject = FailureSubject::HelperScript;
    failure.character = refused;
    return base::kStatusInvalidData;
  }
  reference = needsQuotes(path, characterLength) ? "\"" + path + "\"" : path;
  return base::kStatusOk;
}

int32_t buildMainScript(const RenderConfig& config, std::string_view helperReference,
                        CharacterLength characterLength, MainScript& script, RenderFailure& failure) {
  ScriptLines lines(characterLength, failure);
  writeHeader(lines, config, helperReference);
  const std::string helper = helperScriptText();
  for (const RenderRequest& request : config.requests) {
    lines.beginRequest(request);
    if (request.resampler.isRest)
      writeRest(lines, request);
    else if (request.resampler.skipResample)
      writeDirect(lines, request);
    else
      writeSung(lines, request);
    if (!lines.valid()) return base::kStatusInvalidData;
    if (!lines.linesFit(helper)) {
      failure.cause = FailureCause::LineTooLong;
      failure.noteNumber = request.index + 1;
      failure.lyric = request.resampler.lyric;
      return base::kStatusBadLength;
    }
  }
  lines.end();
  lines.literal("@if not exist \"%output%.whd\" goto E").end();
  lines.literal("@if not exist \"%output%.dat\" goto E").end();
  lines.literal("copy /Y \"%output%.whd\" /B + \"%output%.dat\" /B \"%output%\"").end();
  lines.literal("del \"%output%.whd\"").end();
  lines.literal("del \"%output%.dat\"").end();
  lines.literal(":E").end();
  if (!lines.valid()) return base::kStatusInvalidData;
  script.text = std::move(lines.text());
  script.characters = std::move(lines.characters());
  return base::kStatusOk;
}

}  // namespace sondrel
