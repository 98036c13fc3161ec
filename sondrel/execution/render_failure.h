// Why a render failed, as far as sondrel knows it: filled where the failure is
// found, and shown by the progress dialog as the second line of the failure
// message, so that a user can mend the song or the folder from the message
// alone.
#pragma once

#include <cstdint>
#include <string>

#include "planning/render_config.h"

namespace sondrel {

enum class FailureCause {
  Unknown,           // only the status code is known: no second line
  FieldRefused,      // `character` in `subject` (of the note, if any) cannot reach the tools safely
  PathTooLong,       // `subject`, the path `text`, does not fit 259 characters
  InvalidName,       // `subject`, the path `text`, holds `character`, which cannot name a file there
  NamesAFolder,      // the output `text` names a folder, which the script's `del` would empty
  NoAnsiForm,        // `subject`, the path `wideText`, holds `wideCharacter`, which the ANSI code page lacks
  InterpreterFailed, // the command interpreter `text` did not start: `code`
  LibraryNotLoaded,  // the tool library `text` did not load: `code`
  LibraryConvention, // the tool library `wideText` removed its call's arguments itself (stdcall)
  InterpreterExit,   // the script ended with exit code `code`
  ToolNotStarted,    // the tool program `text` cannot be started: `code`
  LineTooLong,       // the note makes a script line longer than the interpreter reads
  ScriptNotWritten,  // the script `text` could not be written: `code`
  NoOutput,          // the tools wrote no output file `text`
  WorkerNotStarted,  // the render thread did not start: `code`
  InterpreterCodePage,       // the interpreter misreads the scripts' characters in code page `code`
  NotInInterpreterCodePage,  // the interpreter reads code page `code`, which lacks `wideCharacter`
  ToolMissing,       // the tool program `subject` (Wavtool, Resampler), `text`, does not exist or is not set
  LibraryMissing,    // DLL mode: the tool library `wideText` does not exist
  SettingIniMissing, // no tool `subject` is set, and `settingFile` does not exist: sondrel lies elsewhere than
                     // two folders below the host editor's
};

// What the failure is about; also the order of the names in the resources.
enum class FailureSubject {
  None,
  VoiceDir,
  Wavtool,
  Resampler,
  Output,
  CacheDir,
  PluginFile,
  ModificationFile,
  HelperScript,
  Sample,
  CacheName,
  Flags,
  Envelope,
  Length,
  NoteName,
  Tempo,
  Pitch,
};

struct RenderFailure {
  FailureCause cause = FailureCause::Unknown;
  FailureSubject subject = FailureSubject::None;
  int32_t noteNumber = 0;  // 1-based position among the rendered notes; 0: no note
  std::string lyric;       // of that note
  std::string character;   // ANSI bytes of the character refused
  std::string text;        // ANSI path or name
  std::wstring wideText;   // a path that has no ANSI form
  wchar_t wideCharacter = 0;
  uint32_t code = 0;
  ToolSetting setting = ToolSetting::None;  // where the tool of a ToolMissing was set
  std::wstring settingFile;                 // that file: setting.ini or the project file
  std::wstring tool;                        // the wavtool that wrote no output
};

}  // namespace sondrel
