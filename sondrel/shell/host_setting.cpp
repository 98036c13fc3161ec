#include "shell/host_setting.h"

#include "base/text_lines.h"

namespace sondrel {

HostSetting findSetting(std::string_view settingBytes, std::string_view key) {
  HostSetting setting;
  base::forEachLine(settingBytes, [&](std::string_view line) {
    if (setting.found || !base::startsWith(line, key)) return;
    setting.found = true;
    setting.value = std::string(line.substr(key.size()));
  });
  return setting;
}

}  // namespace sondrel
