#include "shell/failure_message.h"

#include "base/ansi_text.h"
#include "base/string_resources.h"
#include "resources/resource.h"

namespace sondrel {
namespace {

constexpr wchar_t kProgramName[] = L"sondrel";

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

// A missing tool is told by where its path was set, since that is the line
// the user changes.
UINT toolMissingText(ToolSetting setting) {
  switch (setting) {
    case ToolSetting::None: return IDS_CAUSE_TOOL_NOT_SET;
    case ToolSetting::SettingIni: return IDS_CAUSE_TOOL_MISSING_SETTING;
    case ToolSetting::PluginFile: return IDS_CAUSE_TOOL_MISSING_SONG;
    case ToolSetting::ProjectFile: return IDS_CAUSE_TOOL_MISSING_PROJECT;
  }
  return 0;
}

// The two load errors users meet have a remedy of their own.
UINT libraryNotLoadedText(uint32_t code) {
  if (code == ERROR_MOD_NOT_FOUND) return IDS_CAUSE_LIBRARY_NEEDS_DLL;
  if (code == ERROR_BAD_EXE_FORMAT) return IDS_CAUSE_LIBRARY_NOT_32BIT;
  return IDS_CAUSE_LIBRARY_NOT_LOADED;
}

UINT causeText(const RenderFailure& failure) {
  switch (failure.cause) {
    case FailureCause::FieldRefused: return IDS_CAUSE_FIELD_REFUSED;
    case FailureCause::PathTooLong: return IDS_CAUSE_PATH_TOO_LONG;
    case FailureCause::InvalidName: return IDS_CAUSE_INVALID_NAME;
    case FailureCause::NamesAFolder: return IDS_CAUSE_NAMES_A_FOLDER;
    case FailureCause::NoAnsiForm: return IDS_CAUSE_NO_ANSI_FORM;
    case FailureCause::InterpreterFailed: return IDS_CAUSE_INTERPRETER_FAILED;
    case FailureCause::LibraryNotLoaded: return libraryNotLoadedText(failure.code);
    case FailureCause::LibraryConvention: return IDS_CAUSE_LIBRARY_CONVENTION;
    case FailureCause::InterpreterExit: return IDS_CAUSE_INTERPRETER_EXIT;
    case FailureCause::ToolNotStarted: return IDS_CAUSE_TOOL_NOT_STARTED;
    case FailureCause::LineTooLong: return IDS_CAUSE_LINE_TOO_LONG;
    case FailureCause::ScriptNotWritten: return IDS_CAUSE_SCRIPT_NOT_WRITTEN;
    case FailureCause::NoOutput: return IDS_CAUSE_NO_OUTPUT;
    case FailureCause::WorkerNotStarted: return IDS_CAUSE_WORKER_NOT_STARTED;
    case FailureCause::InterpreterCodePage: return IDS_CAUSE_INTERPRETER_CODE_PAGE;
    case FailureCause::NotInInterpreterCodePage: return IDS_CAUSE_NOT_IN_INTERPRETER_CODE_PAGE;
    case FailureCause::ToolMissing: return toolMissingText(failure.setting);
    case FailureCause::LibraryMissing: return IDS_CAUSE_LIBRARY_MISSING;
    case FailureCause::SettingIniMissing: return IDS_CAUSE_SETTING_INI_MISSING;
    case FailureCause::Unknown: break;
  }
  return 0;
}

// The keys that name the tool in setting.ini and in a song; the resampler is
// the second tool.
std::wstring toolKey(const RenderFailure& failure, bool settingIni) {
  const wchar_t* number = failure.subject == FailureSubject::Resampler ? L"2" : L"1";
  return std::wstring(L"Tool") + number + (settingIni ? L"Path=" : L"=");
}

}  // namespace

std::wstring failureMessage(HINSTANCE instance, const RenderFailure& failure) {
  std::wstring message = base::loadString(instance, IDS_RENDER_FAILED);
  UINT cause = causeText(failure);
  if (cause == 0) return message;
  const bool inSettingIni = failure.setting == ToolSetting::None || failure.setting == ToolSetting::SettingIni;
  std::wstring line = base::fillInserts(
      base::loadString(instance, cause),
      {base::loadString(instance, IDS_SUBJECT_FIRST + static_cast<UINT>(failure.subject)), characterText(failure),
       failure.wideText.empty() ? base::fromAnsi(failure.text) : failure.wideText, std::to_wstring(failure.code),
       failure.settingFile, toolKey(failure, inSettingIni), toolKey(failure, true), failure.tool});
  if (failure.noteNumber > 0)
    line = base::fillInserts(base::loadString(instance, IDS_NOTE_PREFIX),
                             {std::to_wstring(failure.noteNumber), base::fromAnsi(failure.lyric)}) +
           line;
  return message + L"\n" + line;
}

void showFailureMessage(HWND owner, HINSTANCE instance, const RenderFailure& failure) {
  MessageBoxW(owner, failureMessage(instance, failure).c_str(), kProgramName, MB_OK | MB_ICONERROR);
}

}  // namespace sondrel
