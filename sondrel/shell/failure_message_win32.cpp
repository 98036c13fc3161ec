#include "shell/failure_message.h"

#include "base/ansi_text.h"
#include "base/string_resources.h"
#include "resources/resource.h"

namespace sondrel {
namespace {

// A control character would not show; its code does.
std::wstring characterText(const RenderFailure& failure) {
  std::wstring character =
      failure.wideCharacter ? std::wstring(1, failure.wideCharacter) : base::fromAnsi(failure.character);
  if (character.size() == 1 && (character[0] < 0x20 || character[0] == 0x7F)) {
    wchar_t code[8];
    wsprintfW(code, L"0x%02X", static_cast<unsigned>(character[0]));
    return code;
  }
  return character;
}

UINT causeText(FailureCause cause) {
  switch (cause) {
    case FailureCause::FieldRefused: return IDS_CAUSE_FIELD_REFUSED;
    case FailureCause::PathTooLong: return IDS_CAUSE_PATH_TOO_LONG;
    case FailureCause::InvalidName: return IDS_CAUSE_INVALID_NAME;
    case FailureCause::NamesAFolder: return IDS_CAUSE_NAMES_A_FOLDER;
    case FailureCause::NoAnsiForm: return IDS_CAUSE_NO_ANSI_FORM;
    case FailureCause::InterpreterFailed: return IDS_CAUSE_INTERPRETER_FAILED;
    case FailureCause::LibraryNotLoaded: return IDS_CAUSE_LIBRARY_NOT_LOADED;
    case FailureCause::LibraryConvention: return IDS_CAUSE_LIBRARY_CONVENTION;
    case FailureCause::InterpreterExit: return IDS_CAUSE_INTERPRETER_EXIT;
    case FailureCause::ToolNotStarted: return IDS_CAUSE_TOOL_NOT_STARTED;
    case FailureCause::LineTooLong: return IDS_CAUSE_LINE_TOO_LONG;
    case FailureCause::ScriptNotWritten: return IDS_CAUSE_SCRIPT_NOT_WRITTEN;
    case FailureCause::NoOutput: return IDS_CAUSE_NO_OUTPUT;
    case FailureCause::WorkerNotStarted: return IDS_CAUSE_WORKER_NOT_STARTED;
    case FailureCause::InterpreterCodePage: return IDS_CAUSE_INTERPRETER_CODE_PAGE;
    case FailureCause::NotInInterpreterCodePage: return IDS_CAUSE_NOT_IN_INTERPRETER_CODE_PAGE;
    case FailureCause::Unknown: break;
  }
  return 0;
}

}  // namespace

std::wstring failureMessage(HINSTANCE instance, const RenderFailure& failure) {
  std::wstring message = base::loadString(instance, IDS_RENDER_FAILED);
  UINT cause = causeText(failure.cause);
  if (cause == 0) return message;
  std::wstring line = base::fillInserts(
      base::loadString(instance, cause),
      {base::loadString(instance, IDS_SUBJECT_FIRST + static_cast<UINT>(failure.subject)), characterText(failure),
       failure.wideText.empty() ? base::fromAnsi(failure.text) : failure.wideText, std::to_wstring(failure.code)});
  if (failure.noteNumber > 0)
    line = base::fillInserts(base::loadString(instance, IDS_NOTE_PREFIX),
                             {std::to_wstring(failure.noteNumber), base::fromAnsi(failure.lyric)}) +
           line;
  return message + L"\n" + line;
}

}  // namespace sondrel
