#include "shell/host_setting.h"

#include "project/text_lines.h"

namespace sondrel {

HostSetting findSetting(std::string_view settingBytes, std::string_view key) {
  HostSetting setting;
  forEachLine(settingBytes, [&](std::string_view line) {
    if (setting.found || !startsWith(line, key)) return;
    setting.found = true;
    setting.value = std::string(line.substr(key.size()));
  });
  return setting;
}

}  // namespace sondrel
