// Entry point of quillet: the host editor starts it with the plug-in file as
// the first argument and applies what the file holds when it ends.
#include <windows.h>

#include <string>

#include "base/file_access.h"
#include "base/status.h"
#include "base/win32_files.h"
#include "editor/editor_dialog.h"

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
  if (quillet::runEditorDialog(instance, pluginPath) != IDOK) emptyPluginFile(pluginPath);
  return 0;
}
