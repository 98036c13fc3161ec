#include "shell/host_settings.h"

#include <algorithm>

#include "base/number_text.h"
#include "base/text_lines.h"

namespace sondrel {
namespace {

enum class LineRule { First, FirstWithValue, Last };

struct KeyRule {
  std::string_view key;
  LineRule rule;
  void (*store)(HostSettings& settings, std::string_view value);
};

constexpr KeyRule kKeys[] = {
    {"VoiceRoot=", LineRule::First, [](HostSettings& s, std::string_view v) { s.voiceRoot = std::string(v); }},
    {"Tool1Path=", LineRule::FirstWithValue, [](HostSettings& s, std::string_view v) { s.wavtoolPath = std::string(v); }},
    {"Tool2Path=", LineRule::FirstWithValue,
     [](HostSettings& s, std::string_view v) { s.resamplerPath = std::string(v); }},
    {"UseDLL=", LineRule::Last, [](HostSettings& s, std::string_view v) { s.useDll = base::readInt(v) != 0; }},
    {"Mode2=", LineRule::Last, [](HostSettings& s, std::string_view v) { s.mode2 = base::readInt(v) != 0; }},
    {"ResamplerRuns=", LineRule::First, [](HostSettings& s, std::string_view v) { s.resamplerRuns = base::readInt(v); }},
};

}  // namespace

HostSettings parseHostSettings(std::string_view settingBytes) {
  HostSettings settings;
  bool taken[std::size(kKeys)] = {};
  base::forEachLine(settingBytes, [&](std::string_view line) {
    for (size_t i = 0; i < std::size(kKeys); ++i) {
      const KeyRule& key = kKeys[i];
      if (!base::startsWith(line, key.key) || (taken[i] && key.rule != LineRule::Last)) continue;
      std::string_view value = line.substr(key.key.size());
      if (key.rule == LineRule::FirstWithValue && value.empty()) continue;
      key.store(settings, value);
      taken[i] = true;
    }
  });
  return settings;
}

int resamplerRuns(const HostSettings& settings, int processors) {
  int runs = settings.resamplerRuns > 0 ? settings.resamplerRuns : processors;
  return std::clamp(runs, 1, kMaxResamplerRuns);
}

bool showsProgressBar(const HostSettings& settings, int processors) {
  return settings.useDll || resamplerRuns(settings, processors) > 1;
}

}  // namespace sondrel
