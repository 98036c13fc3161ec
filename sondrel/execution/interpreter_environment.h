// The environment that a program started by the command interpreter receives
// while the main script runs, rebuilt for the resampler runs that sondrel makes
// ahead of the scripts:
// - the environment sondrel passes to the interpreter (its own),
// - what the interpreter adds when it starts: PROMPT=$P$G unless PROMPT is
//   set, then the hidden variable "=X:" holding the current directory of
//   drive X,
// - every "@set" of the main script up to the note's call line, applied the
//   way the interpreter's "set" changes its environment: a variable of the
//   same name in any letter case is replaced where it stands and takes the
//   new spelling (so the script's "temp" replaces TEMP, under the name
//   "temp"), a new one is appended.
// Wine's interpreter builds the block exactly so (compared under Wine with a
// stand-in resampler that records what it receives). The system's own "set"
// on Windows inserts a new variable at its sorted place instead of at the end,
// and its interpreter also keeps "=ExitCode" of the last program it ran: the
// variables and their values are the same, only their order in the block and
// that hidden variable differ, and programs read variables by name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sondrel {

class InterpreterEnvironment {
 public:
  // `entries`: the inherited environment, "NAME=value" each, in block order.
  explicit InterpreterEnvironment(std::vector<std::wstring> entries) : entries_(std::move(entries)) {}

  // What the interpreter sets when it starts in `currentDirectory`.
  void startIn(const std::wstring& currentDirectory);
  void set(std::wstring_view name, std::wstring_view value);
  // The block as process creation takes it: the entries each ended by a NUL,
  // and one more NUL after the last.
  std::wstring block() const;

 private:
  std::vector<std::wstring> entries_;
};

// The entries of a block as the system hands it out (each ended by a NUL, an
// empty entry ends the block).
std::vector<std::wstring> environmentEntries(const wchar_t* block);

}  // namespace sondrel
