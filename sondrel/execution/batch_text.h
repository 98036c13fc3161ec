// Placing untrusted text into the lines of a batch script so that the command
// interpreter reads it back exactly, or refusing it when no form can be read
// back safely.
//
// The interpreter handles each line in phases: first it replaces "%...%"
// sequences, then it reads quotes and the special characters & | < > ^, and a
// `call` line goes through both phases a second time (and `call` doubles the
// carets it sees). The safe form of a character therefore depends on where
// the text lands:
// - "%" is safe as "%%" only where the text is used in the line that holds
//   it. A value stored with "@set" comes back through a variable, and Wine's
//   interpreter expands "%" sequences inside a substituted value once more
//   ("%1" there would bring in the helper's quoted sample path and undo the
//   quoting around it); the call line expands everything twice. Neither has
//   a safe form for "%".
// - & | < > ^ are literal inside quotes; outside quotes a caret escapes them,
//   except in a value that is stored and later expanded outside quotes, where
//   the expansion hands them to the parser once more.
// - A double quote ends the quoting it sits in, CR and LF end the line and the
//   other control characters are read differently by each interpreter: none of
//   them has a safe form in a field.
//
// The checks work on characters of the ANSI code page, not on bytes: in a
// double-byte code page the second byte of a character may be 0x5C or 0x7C,
// which is neither "\" nor "|". A lead byte that is not followed by a valid
// second byte (0x40 or above in every double-byte code page of the system)
// is refused, because the interpreter would join it with the next character
// of the line, possibly the closing quote.
#pragma once

#include <string>
#include <string_view>

namespace sondrel {

// Whether a byte starts a two-byte character in the ANSI code page.
using LeadBytePredicate = bool (*)(unsigned char byte);

enum class BatchPlace {
  Comment,         // text of the "@rem" line
  Word,            // an unquoted word of a line that uses it
  Quoted,          // inside quotes in a line that uses it
  StoredQuotedUse, // unquoted "@set x=" value, expanded later only inside quotes
  StoredCallUse,   // the same, also expanded by the call line
  StoredUnquotedUse,  // unquoted "@set x=" value, expanded later outside quotes
  StoredInQuotes,  // quoted "@set x=" value, expanded later with its quotes
  CallQuoted,      // inside quotes in the call line
  CallWord,        // one unquoted word of the call line
};

// Appends `text` to `line` in its safe form for `place`; false (and `line`
// unchanged) when the text has none.
bool appendBatchField(std::string& line, std::string_view text, BatchPlace place,
                      LeadBytePredicate isLeadByte);

// Whether a path written unquoted into a command (the helper script in the
// call line, the main script after "/c") would be split or reinterpreted
// there, so that it has to be quoted.
bool needsQuotes(std::string_view path, LeadBytePredicate isLeadByte);

}  // namespace sondrel
