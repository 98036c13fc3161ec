// Where a preview puts its two files, and how it starts sondrel: a copy of
// the plug-in file under the extension ".ust" and the modification
// "quillet_temp.ust", both beside the plug-in file; sondrel.exe beside
// quillet.exe.
//
// Both files are deleted after the preview, so a name that is already taken
// (a user's own "song.ust" beside the plug-in file "song.tmp", or the plug-in
// file itself when it is called "*.ust") must never be used: attempt 0 is the
// plain name, attempt n > 0 adds "_<n + 1>" before the extension, and the
// caller takes the first attempt whose file does not exist yet.
#pragma once

#include <string>

namespace quillet {

// The plug-in path with its extension (from the last "." of the file name)
// replaced by ".ust", or ".ust" appended when it has none.
std::wstring previewCopyPath(const std::wstring& pluginPath, int attempt);
// "quillet_temp.ust" in the plug-in file's directory.
std::wstring previewTempPath(const std::wstring& pluginPath, int attempt);
// `name` in the directory of `path` (the current directory when it has none).
std::wstring besidePath(const std::wstring& path, const std::wstring& name);
// "<program>" "<copy>" "/m:<modification>"
std::wstring previewCommandLine(const std::wstring& program, const std::wstring& copy,
                                const std::wstring& modification);

}  // namespace quillet
