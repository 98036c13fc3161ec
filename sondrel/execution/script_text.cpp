#include "execution/script_text.h"

#include <unordered_set>

#include "base/status.h"
#include "execution/script_description.h"
#include "execution/script_expansion.h"

namespace sondrel {
namespace {

// Writes the lines of one script; the first field without a safe form makes
// the whole text invalid and is recorded in the failure.
class ScriptWriter {
 public:
  ScriptWriter(CharacterLength characterLength, RenderFailure& failure)
      : characterLength_(characterLength), failure_(failure) {}

  void write(const std::vector<ScriptLine>& lines) {
    for (const ScriptLine& line : lines) {
      for (const ScriptPiece& piece : line) {
        if (piece.field)
          field(piece);
        else
          command(piece.text);
      }
      text_ += "\r\n";
    }
  }

  // The request whose lines follow, named in a failure.
  void beginRequest(const RenderRequest& request) { request_ = &request; }
  // Whether every line written since the last check, and every helper line
  // that a call among them runs, stays within the interpreter's line length.
  // The lines are expanded as written, escaping carets and all, so the
  // length is never shorter than what the interpreter reads.
  bool linesFit(const std::string& helperText) {
    std::string_view written = std::string_view(text_).substr(checked_);
    checked_ = text_.size();
    for (size_t start = 0, end; (end = written.find("\r\n", start)) != std::string_view::npos; start = end + 2) {
      std::string_view line = written.substr(start, end - start);
      std::string expanded = variables_.expand(line);
      ScriptVariable variable;
      if (readSetLine(expanded, variable)) variables_.set(variable.name, std::move(variable.value));
      if (line.size() >= kMaxScriptLine || expanded.size() >= kMaxScriptLine) return false;
      if (line.substr(0, 5) != "call ") continue;
      std::vector<std::string> parameters = callParameters(expanded);
      for (size_t from = 0, to; (to = helperText.find("\r\n", from)) != std::string::npos; from = to + 2)
        if (variables_.expand(std::string_view(helperText).substr(from, to - from), parameters).size() >= kMaxScriptLine)
          return false;
    }
    return true;
  }

  bool valid() const { return valid_; }
  std::string& text() { return text_; }
  std::string& characters() { return characters_; }

 private:
  void field(const ScriptPiece& piece) {
    if (!valid_) return;
    std::string refused;
    if (!appendBatchField(text_, piece.text, piece.place, characterLength_, refused)) {
      valid_ = false;
      failure_ = RenderFailure::fieldRefused(piece.subject, refused);
      if (request_) failure_.atNote(request_->index, request_->resampler.lyric);
    } else if (piece.place != BatchPlace::Comment) {
      noteCharacters(piece.text);
    }
  }

  // Template text, which the interpreter reads in a command as it stands.
  void command(std::string_view text) {
    noteCharacters(text);
    text_ += text;
  }

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
  ScriptVariables variables_;
  std::string characters_;
  std::unordered_set<std::string> seen_;
};

}  // namespace

int32_t formatHelperReference(std::string_view helperPath, CharacterLength characterLength, std::string& reference,
                              RenderFailure& failure) {
  std::string path, refused;
  if (!appendBatchField(path, helperPath, BatchPlace::CallQuoted, characterLength, refused)) {
    failure = RenderFailure::fieldRefused(FailureSubject::HelperScript, refused);
    return base::kStatusInvalidData;
  }
  reference = needsQuotes(path, characterLength) ? "\"" + path + "\"" : path;
  return base::kStatusOk;
}

int32_t buildMainScript(const RenderConfig& config, std::string_view helperReference,
                        CharacterLength characterLength, MainScript& script, RenderFailure& failure) {
  ScriptWriter writer(characterLength, failure);
  writer.write(headerLines(config, helperReference));
  const std::string helper = helperScriptText();
  for (const RenderRequest& request : config.requests) {
    writer.beginRequest(request);
    writer.write(requestLines(request));
    if (!writer.valid()) return base::kStatusInvalidData;
    if (!writer.linesFit(helper)) {
      failure = RenderFailure::lineTooLong().atNote(request.index, request.resampler.lyric);
      return base::kStatusBadLength;
    }
  }
  writer.write(trailerLines());
  if (!writer.valid()) return base::kStatusInvalidData;
  script.text = std::move(writer.text());
  script.characters = std::move(writer.characters());
  return base::kStatusOk;
}

}  // namespace sondrel
