// The scripts as the command interpreter runs them, replayed from their
// description (script_description.h): the variables the main script sets,
// and the resampler run that the helper script makes for a sung note, so
// that sondrel can make the same run itself ahead of the scripts.
//
// A value that the script stores with "@set" comes back from the interpreter
// exactly as the field holds it (the escaping of batch_text is undone when
// the line is read, and fields without a safe form are refused before any
// script is written), so the replay reads the lines as the interpreter holds
// them once read, with the fields as their values.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "execution/script_expansion.h"
#include "planning/render_config.h"

namespace sondrel {

class ScriptReplay {
 public:
  // The main script's header, with the helper as the "@set helper=" line
  // names it.
  ScriptReplay(const RenderConfig& config, std::string_view helperReference);

  // What the header sets, in its order.
  const std::vector<ScriptVariable>& headerVariables() const { return header_.all(); }
  // What the block of a request sets before its tool runs, in its order:
  // "env" for a direct sample; "params", "flag", "env", "stp", "vel" and
  // "temp" for a sung note; nothing for a rest.
  std::vector<ScriptVariable> blockVariables(const RenderRequest& request) const;
  // The command line with which the interpreter starts the resampler for a
  // sung note: the helper's resampler line with the variables and the call
  // line's parameters in place.
  std::string resamplerCommandLine(const RenderRequest& request) const;

 private:
  ScriptVariables header_;
};

}  // namespace sondrel
