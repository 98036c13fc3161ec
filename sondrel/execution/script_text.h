// Text of the two batch scripts of a script-mode render: the main script with
// one block per request, and the helper script it calls for every sung note.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "execution/batch_text.h"
#include "planning/render_config.h"

namespace sondrel {

// The five lines of the helper script; it holds no field of the render.
std::string helperScriptText();

// How the main script names the helper in its "@set helper=" line: the path
// as it is, or quoted when a blank or another separator in it would split the
// call line (8.3 names are often switched off, so the short form of a path
// under "C:\Users\Jane Doe" keeps its blank). Status 13 when the path holds a
// character that the call line would reinterpret.
int32_t formatHelperReference(std::string_view helperPath, LeadBytePredicate isLeadByte,
                              std::string& reference);

// The whole main script. Status 13 (and `text` undefined) when a field holds
// text that the interpreter could not read back exactly.
int32_t buildMainScript(const RenderConfig& config, std::string_view helperReference,
                        LeadBytePredicate isLeadByte, std::string& text);

}  // namespace sondrel
