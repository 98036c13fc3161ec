#include "execution/script_writer.h"

#include <shlwapi.h>

#include "base/ansi_code_page.h"
#include "base/ansi_text.h"
#include "base/file_access.h"
#include "base/status.h"
#include "execution/script_text.h"
#include "execution/short_path.h"

namespace sondrel {
namespace {

int32_t writeWholeFile(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return static_cast<int32_t>(GetLastError());
  DWORD written = 0;
  BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  int32_t status = ok && written == text.size() ? base::kStatusOk : static_cast<int32_t>(GetLastError());
  CloseHandle(file);
  return status;
}

}  // namespace

int32_t writeScripts(RenderConfig& config, const std::wstring& pluginFilePath, ScriptPaths& paths) {
  std::string pluginFile = base::toAnsi(pluginFilePath);
  if (!base::fitsMaxPath(pluginFile)) return base::kStatusFilenameTooLong;
  char directory[MAX_PATH] = {};
  lstrcpynA(directory, pluginFile.c_str(), MAX_PATH);
  PathRemoveFileSpecA(directory);
  paths.mainScript = std::string(directory) + "\\plugin_temp.bat";
  paths.helperScript = std::string(directory) + "\\plugin_helper.bat";
  if (!base::fitsMaxPath(paths.mainScript) || !base::fitsMaxPath(paths.helperScript)) return base::kStatusFilenameTooLong;
  config.helperScriptPath = paths.helperScript;

  // Every field is checked before anything is written; the short form of the
  // helper path exists only once the helper file does, and cannot hold a
  // character that its long form lacks.
  std::string reference;
  std::string mainText;
  int32_t status = formatHelperReference(paths.helperScript, base::isAnsiLeadByte, reference);
  if (status == base::kStatusOk) status = buildMainScript(config, reference, base::isAnsiLeadByte, mainText);
  if (status != base::kStatusOk) return status;

  status = writeWholeFile(paths.helperScript, helperScriptText());
  if (status != base::kStatusOk) return status;
  // When the system gives no short form, the long one still names the file;
  // an empty helper would make every call line run the sample file instead.
  std::string shortHelper = shortPathOf(paths.helperScript);
  if (shortHelper.empty()) shortHelper = paths.helperScript;
  status = formatHelperReference(shortHelper, base::isAnsiLeadByte, reference);
  if (status == base::kStatusOk) status = buildMainScript(config, reference, base::isAnsiLeadByte, mainText);
  if (status == base::kStatusOk) status = writeWholeFile(paths.mainScript, mainText);
  if (status != base::kStatusOk) DeleteFileA(paths.helperScript.c_str());
  return status;
}

}  // namespace sondrel
