#include "project/voice_bank.h"

#include <vector>

#include "base/file_access.h"
#include "base/number_text.h"
#include "base/text_lines.h"

namespace sondrel {
namespace {

void storeLine(VoiceBank& bank, std::string_view line, const std::string& subdirectory) {
  size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  size_t comma = line.find(',', equals + 1);
  if (comma == std::string_view::npos) return;
  std::string_view fileName = line.substr(0, equals);
  std::string_view alias = line.substr(equals + 1, comma - equals - 1);

  OtoEntry entry;
  float numbers[5] = {0, 0, 0, 0, 0};
  base::scanFloats(line.substr(comma + 1), numbers, 5);
  entry.offset = numbers[0];
  entry.consonant = numbers[1];
  entry.cutoff = numbers[2];
  entry.preUtterance = numbers[3];
  entry.overlap = numbers[4];
  std::string subdirectoryPath;
  if (!subdirectory.empty()) subdirectoryPath = subdirectory + "\\" + std::string(fileName);
  entry.file = subdirectory.empty() ? std::string(fileName) : subdirectoryPath;

  if (!fileName.empty()) bank.try_emplace(std::string(fileName), entry);
  if (!alias.empty()) bank.try_emplace(std::string(alias), entry);
  if (!subdirectory.empty()) bank.try_emplace(subdirectoryPath, entry);
}

// Names such as ".", "..", ".git" or "x.y" are not sample subdirectories.
bool isSampleSubdirectory(const base::DirectoryEntry& entry) {
  if (!entry.isDirectory) return false;
  const std::string& name = entry.name;
  return !(name.size() > 0 && name[0] == '.') && !(name.size() > 1 && name[1] == '.');
}

}  // namespace

void loadOtoText(VoiceBank& bank, std::string_view bytes, const std::string& subdirectory) {
  base::forEachLine(bytes, [&](std::string_view line) { storeLine(bank, line, subdirectory); });
}

VoiceDirectoryFiles readVoiceDirectory(const std::string& voiceDir) {
  VoiceDirectoryFiles files;
  if (!base::readFileBytes(voiceDir + "\\prefix.map", files.prefixMap)) files.prefixMap.clear();
  if (!base::readFileBytes(voiceDir + "\\oto.ini", files.oto)) files.oto.clear();
  std::vector<base::DirectoryEntry> entries;
  if (!base::listDirectory(voiceDir, entries)) return files;
  for (const base::DirectoryEntry& entry : entries) {
    std::string oto;
    if (isSampleSubdirectory(entry) && base::readFileBytes(voiceDir + "\\" + entry.name + "\\oto.ini", oto))
      files.subdirectories.push_back({entry.name, std::move(oto)});
  }
  return files;
}

void loadVoiceDirectory(const VoiceDirectoryFiles& files, PrefixMap& prefixMap, VoiceBank& bank) {
  loadPrefixMapText(prefixMap, files.prefixMap);
  loadOtoText(bank, files.oto, std::string());
  for (const VoiceDirectoryFiles::Subdirectory& subdirectory : files.subdirectories)
    loadOtoText(bank, subdirectory.oto, subdirectory.name);
}

}  // namespace sondrel
