// Text of the main script of a script-mode render, written from its
// description (script_description.h), every field in its safe form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "execution/batch_text.h"
#include "execution/render_failure.h"
#include "planning/render_config.h"

namespace sondrel {

// How the main script names the helper in its "@set helper=" line: the path
// as it is, or quoted when a blank or another separator in it would split the
// call line (8.3 names are often switched off, so the short form of a path
// under "C:\Users\Jane Doe" keeps its blank). Status 13 (and `failure`
// filled) when the path holds a character that the call line would
// reinterpret.
int32_t formatHelperReference(std::string_view helperPath, CharacterLength characterLength, std::string& reference,
                              RenderFailure& failure);

// The interpreter skips a line longer than this, after expansion.
constexpr size_t kMaxScriptLine = 8191;

struct MainScript {
  std::string text;
  // Every character beyond ASCII that the interpreter reads in a command (all
  // lines but the comment), once each, in the order met: the characters it
  // must read as they are written (interpreter_code_page.h).
  std::string characters;
};

// The whole main script. Status 13 when a field holds text that the
// interpreter could not read back exactly, 24 (ERROR_BAD_LENGTH) when a note
// would make a line that the interpreter skips; `failure` then names the
// field or the note, and `script` is undefined.
int32_t buildMainScript(const RenderConfig& config, std::string_view helperReference,
                        CharacterLength characterLength, MainScript& script, RenderFailure& failure);

}  // namespace sondrel
