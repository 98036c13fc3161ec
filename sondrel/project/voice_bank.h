// The voice bank: every oto.ini line of a voice directory and of its immediate
// subdirectories, reachable by file name, alias and subdirectory path.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace sondrel {

struct OtoEntry {
  std::string file;  // relative to the voice directory ("sub\a.wav" from a subdirectory)
  float offset = 0;
  float consonant = 0;
  float cutoff = 0;
  float preUtterance = 0;
  float overlap = 0;
};

// Keys compare byte by byte; the first entry stored under a key stays.
using VoiceBank = std::map<std::string, OtoEntry, std::less<>>;

int loadVoiceBank(VoiceBank& bank, const std::string& voiceDir);
void loadOtoFile(VoiceBank& bank, const std::string& otoPath, const std::string& subdirectory);
void loadOtoText(VoiceBank& bank, std::string_view bytes, const std::string& subdirectory);

}  // namespace sondrel
