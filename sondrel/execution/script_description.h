// What the two scripts of a script-mode render say, described once: the
// writer writes these lines (script_text.h), and the runs ahead of the scripts
// take their variables and command lines from the same lines
// (helper_resampler_call.h), so that they start exactly what the scripts
// would.
//
// A line is a row of pieces: template text, which the interpreter reads as it
// stands ("%name%" references to the scripts' variables and numbers among
// it), and fields of the render, which the writer places by the rules of
// their BatchPlace (batch_text.h) so that the interpreter reads each back as
// the field holds it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "execution/batch_text.h"
#include "execution/render_failure.h"
#include "planning/render_config.h"

namespace sondrel {

struct ScriptPiece {
  std::string text;  // template text, or the field's value
  bool field = false;
  BatchPlace place = BatchPlace::Comment;
  FailureSubject subject = FailureSubject::None;  // what a refused field is
};
using ScriptLine = std::vector<ScriptPiece>;

// Numbers as the scripts write them: a double like "%.6g", an int in plain
// decimal.
std::string scriptNumber(double value);
std::string scriptNumber(int32_t value);

// The comment, the variables of the render, and the preparation of the
// output; `helperReference` is the helper script as the call lines name it.
std::vector<ScriptLine> headerLines(const RenderConfig& config, std::string_view helperReference);
// The block of one request: a rest runs the wavtool; a direct sample sets
// "env" and runs it; a sung note sets "params", "flag", "env", "stp", "vel"
// and "temp" and calls the helper with nine parameters.
std::vector<ScriptLine> requestLines(const RenderRequest& request);
// Joins the wavtool's header and data parts into the output when both exist.
std::vector<ScriptLine> trailerLines();

// The text of a line as the interpreter holds it once read: the pieces as
// they stand, each field as its value.
std::string readText(const ScriptLine& line);

// The five lines of the helper script; it holds no field of the render. It
// runs the resampler unless the cache file "%temp%" exists (deleting the
// older cache files of the note first), then the wavtool.
std::string helperScriptText();
// The helper's resampler line, without the "@" that keeps it from being shown.
std::string_view helperResamplerLine();

}  // namespace sondrel
