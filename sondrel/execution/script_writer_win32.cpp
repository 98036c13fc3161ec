#include "execution/script_writer.h"

#include <shlwapi.h>

#include "base/ansi_code_page.h"
#include "base/ansi_text.h"
#include "base/file_access.h"
#include "base/status.h"
#include "base/win32_files.h"
#include "execution/interpreter_code_page.h"
#include "execution/script_description.h"
#include "execution/script_text.h"
#include "execution/short_path.h"

namespace sondrel {
namespace {

int32_t writeWholeFile(const std::string& path, const std::string& text, RenderFailure& failure) {
  base::FileHandle file(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (file.valid() && WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
      written == text.size())
    return base::kStatusOk;
  failure = RenderFailure::withCode(FailureCause::ScriptNotWritten, path, GetLastError());
  return static_cast<int32_t>(failure.code);
}

}  // namespace

int32_t writeScripts(const RenderConfig& config, const std::wstring& pluginFilePath, HANDLE cancelEvent, ScriptPaths& paths,
                     RenderFailure& failure) {
  std::string pluginFile;
  wchar_t missing = 0;
  if (!base::toAnsiPath(pluginFilePath, pluginFile, missing)) {
    failure = RenderFailure::noAnsiForm(FailureSubject::PluginFile, pluginFilePath, missing);
    return base::kStatusInvalidName;
  }
  char directory[MAX_PATH] = {};
  if (base::fitsMaxPath(pluginFile)) {
    lstrcpynA(directory, pluginFile.c_str(), MAX_PATH);
    PathRemoveFileSpecA(directory);
  }
  paths.mainScript = std::string(directory) + "\\plugin_temp.bat";
  paths.helperScript = std::string(directory) + "\\plugin_helper.bat";
  if (!base::fitsMaxPath(pluginFile) || !base::fitsMaxPath(paths.helperScript)) {
    failure = RenderFailure::pathTooLong(FailureSubject::HelperScript,
                                         base::fitsMaxPath(pluginFile) ? paths.helperScript : pluginFile);
    return base::kStatusFilenameTooLong;
  }

  // Every field is checked before anything is written; the short form of the
  // helper path exists only once the helper file does, and cannot hold a
  // character that its long form lacks.
  std::string reference;
  MainScript main;
  int32_t status = formatHelperReference(paths.helperScript, base::ansiCharacterLength, reference, failure);
  if (status == base::kStatusOk)
    status = buildMainScript(config, reference, base::ansiCharacterLength, main, failure);
  if (status != base::kStatusOk) return status;

  status = writeWholeFile(paths.helperScript, helperScriptText(), failure);
  if (status != base::kStatusOk) return status;
  // When the system gives no short form, the long one still names the file;
  // an empty helper would make every call line run the sample file instead.
  std::string shortHelper = shortPathOf(paths.helperScript);
  if (shortHelper.empty()) shortHelper = paths.helperScript;
  status = formatHelperReference(shortHelper, base::ansiCharacterLength, reference, failure);
  if (status == base::kStatusOk)
    status = buildMainScript(config, reference, base::ansiCharacterLength, main, failure);
  if (status == base::kStatusOk)
    status = chooseScriptCodePage(cancelEvent, directory, main.characters, paths.codePage, failure);
  if (status == base::kStatusOk)
    status = writeWholeFile(paths.mainScript,
                            paths.codePage == GetACP() ? main.text : scriptInCodePage(main.text, paths.codePage),
                            failure);
  if (status != base::kStatusOk) DeleteFileA(paths.helperScript.c_str());
  paths.helperReference = reference;
  return status;
}

}  // namespace sondrel
