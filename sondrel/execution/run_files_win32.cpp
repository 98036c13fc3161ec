#include "execution/run_files.h"

#include <windows.h>

#include "base/ansi_code_page.h"
#include "base/ascii_case.h"
#include "base/number_text.h"
#include "base/win32_files.h"

namespace sondrel {

const std::string& RunFiles::sample(const std::string& path) {
  auto found = samples_.find(path);
  if (found != samples_.end()) return found->second;
  base::FileHandle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
  BY_HANDLE_FILE_INFORMATION information;
  std::string name = file.valid() && GetFileInformationByHandle(file.get(), &information)
                         ? base::formatText("file %08lx %08lx%08lx", information.dwVolumeSerialNumber,
                                            information.nFileIndexHigh, information.nFileIndexLow)
                         : output(path);
  return samples_.emplace(path, std::move(name)).first->second;
}

std::string RunFiles::output(const std::string& path) {
  std::string folded = "path " + path;
  for (size_t i = 0; i < folded.size(); ++i) {
    if (base::isAnsiLeadByte(static_cast<unsigned char>(folded[i])))
      ++i;
    else
      folded[i] = base::lowerAscii(folded[i]);
  }
  return folded;
}

}  // namespace sondrel
