// Why a render failed, as far as sondrel knows it: filled where the failure is
// found, and shown by the progress dialog as the second line of the failure
// message, so that a user can mend the song or the folder from the message
// alone.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

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

  // Each failure with the fields its message shows, named for its cause.
  static RenderFailure fieldRefused(FailureSubject subject, std::string character) {
    RenderFailure f = of(FailureCause::FieldRefused, subject);
    f.character = std::move(character);
    return f;
  }
  static RenderFailure pathTooLong(FailureSubject subject, std::string path) {
    RenderFailure f = of(FailureCause::PathTooLong, subject);
    f.text = std::move(path);
    return f;
  }
  static RenderFailure pathTooLong(FailureSubject subject, std::wstring path) {
    RenderFailure f = of(FailureCause::PathTooLong, subject);
    f.wideText = std::move(path);
    return f;
  }
  static RenderFailure invalidName(FailureSubject subject, std::string path, std::string character) {
    RenderFailure f = of(FailureCause::InvalidName, subject);
    f.text = std::move(path);
    f.character = std::move(character);
    return f;
  }
  static RenderFailure namesAFolder(std::string output) {
    RenderFailure f = of(FailureCause::NamesAFolder, FailureSubject::Output);
    f.text = std::move(output);
    return f;
  }
  static RenderFailure noAnsiForm(FailureSubject subject, std::wstring path, wchar_t missing) {
    RenderFailure f = of(FailureCause::NoAnsiForm, subject);
    f.wideText = std::move(path);
    f.wideCharacter = missing;
    return f;
  }
  // InterpreterFailed, ToolNotStarted and ScriptNotWritten: the program or
  // file `text`, and the system's error code.
  static RenderFailure withCode(FailureCause cause, std::string text, uint32_t code) {
    RenderFailure f = of(cause);
    f.text = std::move(text);
    f.code = code;
    return f;
  }
  // LibraryNotLoaded (with the system's error code) and LibraryConvention.
  static RenderFailure library(FailureCause cause, std::wstring path, uint32_t code = 0) {
    RenderFailure f = of(cause);
    f.wideText = std::move(path);
    f.code = code;
    return f;
  }
  static RenderFailure interpreterExit(uint32_t exitCode) {
    RenderFailure f = of(FailureCause::InterpreterExit);
    f.code = exitCode;
    return f;
  }
  static RenderFailure lineTooLong() { return of(FailureCause::LineTooLong); }
  // The wavtool `tool` wrote no `output`.
  static RenderFailure noOutput(std::string output, std::wstring tool) {
    RenderFailure f = of(FailureCause::NoOutput);
    f.text = std::move(output);
    f.tool = std::move(tool);
    return f;
  }
  // The tool program `path` (Wavtool or Resampler) does not exist, or is not
  // set: `where` and `file` say where it is set, to be mended.
  static RenderFailure toolMissing(FailureSubject tool, std::string path, ToolSetting where, std::wstring file) {
    RenderFailure f = of(FailureCause::ToolMissing, tool);
    f.text = std::move(path);
    f.setting = where;
    f.settingFile = std::move(file);
    return f;
  }
  // No tool `tool` is set, and `settingIni`, where it would be, does not exist.
  static RenderFailure settingIniMissing(FailureSubject tool, std::wstring settingIni) {
    RenderFailure f = of(FailureCause::SettingIniMissing, tool);
    f.settingFile = std::move(settingIni);
    return f;
  }
  // DLL mode, which `settingIni` chose, needs the library `path`.
  static RenderFailure libraryMissing(std::wstring path, std::wstring settingIni) {
    RenderFailure f = of(FailureCause::LibraryMissing);
    f.wideText = std::move(path);
    f.settingFile = std::move(settingIni);
    return f;
  }
  static RenderFailure workerNotStarted(uint32_t code) {
    RenderFailure f = of(FailureCause::WorkerNotStarted);
    f.code = code;
    return f;
  }
  // The interpreter misreads the scripts in `codePage`, or, with `missing`
  // set, reads them in `codePage`, which lacks that character.
  static RenderFailure interpreterCodePage(wchar_t missing, uint32_t codePage) {
    RenderFailure f = of(missing ? FailureCause::NotInInterpreterCodePage : FailureCause::InterpreterCodePage);
    f.wideCharacter = missing;
    f.code = codePage;
    return f;
  }
  // The note it happened on: its position in the request list (from 0) and
  // its lyric.
  RenderFailure& atNote(int32_t index, std::string noteLyric) {
    noteNumber = index + 1;
    lyric = std::move(noteLyric);
    return *this;
  }

 private:
  static RenderFailure of(FailureCause cause, FailureSubject subject = FailureSubject::None) {
    RenderFailure f;
    f.cause = cause;
    f.subject = subject;
    return f;
  }
};

}  // namespace sondrel
