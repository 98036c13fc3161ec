// Entry point of quillet: the host editor starts it with the plug-in file as
// the first argument and applies what the file holds when it ends.
#include <windows.h>

#include <string>

#include "base/file_access.h"
#include "base/status.h"
#include "base/win32_files.h"
#include "editor/editor_dialog.h"
#include "editor/messages.h"
#include "resources/resource.h"

namespace {

// An empty plug-in file tells the host editor that nothing changed.
void emptyPluginFile(const std::wstring& path) {
  base::FileHandle file(
      CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_ARCHIVE, nullptr));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (__argc < 2) return -1;
  std::wstring pluginPath = __wargv[1];
  // A path beyond the platform's path buffers would be cut to the name of
  // another file: nothing is shown or touched.
  if (!base::fitsMaxPath(pluginPath)) return base::kStatusFilenameTooLong;
  DWORD error = ERROR_SUCCESS;
  INT_PTR end = quillet::runEditorDialog(instance, pluginPath, error);
  if (end != IDOK) emptyPluginFile(pluginPath);
  if (end == IDOK || end == IDCANCEL) return 0;
  // The host editor sees no output either way; the user learns why, and the
  // exit code says that quillet failed.
  if (error == ERROR_SUCCESS) error = ERROR_CAN_NOT_COMPLETE;
  quillet::tellFailure(nullptr, IDS_DIALOG_NOT_SHOWN, error, pluginPath);
  return static_cast<int>(error);
}
