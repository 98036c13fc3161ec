// The voice bank: every oto.ini line of a voice directory and of its immediate
// subdirectories, reachable by file name, alias and subdirectory path.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "project/prefix_map.h"

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

void loadOtoText(VoiceBank& bank, std::string_view bytes, const std::string& subdirectory);

// The bytes of a voice directory's tables, each empty where its file is
// missing.
struct VoiceDirectoryFiles {
  struct Subdirectory {
    std::string name;
    std::string oto;
  };
  std::string prefixMap;
  std::string oto;
  std::vector<Subdirectory> subdirectories;  // the sample subdirectories in listing order
};

// Reads prefix.map, oto.ini and the oto.ini of every sample subdirectory
// (not ".", "..", ".git" or a name with a dot as its second character).
// Paths are composed without a length limit: the file layer refuses any that
// would not fit the host's 260-byte buffers, so an overlong name counts as a
// missing file instead of being cut into the name of some other file.
VoiceDirectoryFiles readVoiceDirectory(const std::string& voiceDir);

// Loads the files into the tables: the prefix map, then the directory's own
// oto.ini, then the subdirectories' in order.
void loadVoiceDirectory(const VoiceDirectoryFiles& files, PrefixMap& prefixMap, VoiceBank& bank);

}  // namespace sondrel
