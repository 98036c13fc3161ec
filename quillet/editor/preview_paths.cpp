#include "editor/preview_paths.h"

namespace quillet {
namespace {

// Length of the directory part including its last separator; 0 without one.
size_t directoryLength(const std::wstring& path) {
  size_t separator = path.find_last_of(L"\\/:");
  return separator == std::wstring::npos ? 0 : separator + 1;
}

std::wstring numbered(const std::wstring& stem, int attempt) {
  return attempt == 0 ? stem + L".ust" : stem + L"_" + std::to_wstring(attempt + 1) + L".ust";
}

}  // namespace

std::wstring previewCopyPath(const std::wstring& pluginPath, int attempt) {
  size_t dot = pluginPath.rfind(L'.');
  bool hasExtension = dot != std::wstring::npos && dot >= directoryLength(pluginPath);
  return numbered(hasExtension ? pluginPath.substr(0, dot) : pluginPath, attempt);
}

std::wstring previewTempPath(const std::wstring& pluginPath, int attempt) {
  return numbered(besidePath(pluginPath, L"quillet_temp"), attempt);
}

std::wstring besidePath(const std::wstring& path, const std::wstring& name) {
  return path.substr(0, directoryLength(path)) + name;
}

std::wstring previewCommandLine(const std::wstring& program, const std::wstring& copy,
                                const std::wstring& modification) {
  return L"\"" + program + L"\" \"" + copy + L"\" \"/m:" + modification + L"\"";
}

}  // namespace quillet
