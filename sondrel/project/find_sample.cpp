#include <string>

#include "project/find_sample.h"

namespace sondrel {
namespace {

const OtoEntry* lookUp(const VoiceBank& bank, const std::string& key) {
  auto found = bank.find(key);
  return found == bank.end() ? nullptr : &found->second;
}

}  // namespace

// The pitch-specific alias first, then the file key of that alias, then the
// plain lyric and its file key, so that a bank without the pitch variant still
// sings and a lyric naming a sample file without ".wav" finds it.
const OtoEntry* findSample(const Project& project, const Note& note) {
  const std::string& lyric = note.lyric;
  std::string primary;
  if (!lyric.empty() && lyric[0] == '?') {
    primary = lyric.substr(1);
  } else {
    auto mapped = project.prefixMap.find(note.noteNum);
    primary = mapped == project.prefixMap.end() ? lyric : mapped->second.prefix + lyric + mapped->second.suffix;
  }
  if (const OtoEntry* entry = lookUp(project.voiceBank, primary)) return entry;
  if (const OtoEntry* entry = lookUp(project.voiceBank, primary + ".wav")) return entry;
  if (const OtoEntry* entry = lookUp(project.voiceBank, lyric)) return entry;
  return lookUp(project.voiceBank, lyric + ".wav");
}

}  // namespace sondrel
