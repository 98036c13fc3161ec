// Placing untrusted text into the lines of a batch script so that the command
// interpreter hands it to the tools exactly, or refusing it when no form can
// be read back safely.
//
// The interpreter handles each line in phases: first it replaces "%...%"
// sequences, then it reads quotes and the special characters & | < > ^, and a
// `call` line goes through both phases a second time (and `call` doubles the
// carets it sees, inside quotes too). A tool then splits its command line into
// arguments at blanks, outside quotes, and reads a backslash before a quote as
// an escaped quote. The safe form of a character therefore depends on where
// the text lands, which is what a BatchPlace names. The table in
// batch_text.cpp gives, for every place and class of character, whether the
// character is copied, escaped or refused.
//
// The checks work on characters of the ANSI code page, not on bytes: in a
// double-byte code page the second byte of a character may be 0x5C ("\") or
// 0x7C ("|"), and stays part of its character, since the interpreter reads
// the scripts in the code page they are written in (interpreter_code_page.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/ansi_code_page.h"

namespace sondrel {

using base::CharacterLength;

enum class BatchPlace {
  Comment,            // text of the "@rem" line: unsafe characters become "_"
  Word,               // one unquoted argument of a line that runs a tool
  Quoted,             // inside quotes, before the closing one, in a line that runs a tool
  StoredQuotedUse,    // unquoted "@set x=" value, expanded later only inside quotes
  StoredCallUse,      // the same, also expanded inside quotes by the call line
  StoredUnquotedUse,  // unquoted "@set x=" value, expanded later as blank-separated arguments
  StoredInQuotes,     // quoted "@set x=" value, expanded later with its quotes
  CallQuoted,         // inside quotes in the call line, handed on as %1 with its quotes
  CallWord,           // one unquoted word of the call line, handed on as %2 or %3
};

// Appends `text` to `line` in its safe form for `place` and returns true; or
// returns false with `line` unchanged and `refused` set to the first
// character that has no safe form there (for a field refused as a whole, the
// empty text of a word, or the final backslash before a closing quote, also
// where `line` ends in one and `text` is empty: that text). A Comment is never
// refused.
bool appendBatchField(std::string& line, std::string_view text, BatchPlace place, CharacterLength characterLength,
                      std::string& refused);

// Whether a path written unquoted into a command (the helper script in the
// call line, the main script after "/c") would be split or reinterpreted
// there, so that it has to be quoted.
bool needsQuotes(std::string_view path, CharacterLength characterLength);

}  // namespace sondrel
