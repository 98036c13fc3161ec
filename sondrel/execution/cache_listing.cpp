#include "execution/cache_listing.h"

#include "base/ascii_case.h"

namespace sondrel {
namespace {

// The digits before the "_" that follows them at the start of the name, or
// nothing: only such a name can match an index pattern.
std::string_view leadingIndex(std::string_view name) {
  size_t digits = 0;
  while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9') ++digits;
  if (digits == 0 || digits >= name.size() || name[digits] != '_') return {};
  return name.substr(0, digits);
}

}  // namespace

bool matchesIndexPattern(std::string_view name, std::string_view digits) {
  static constexpr std::string_view kExtension = ".wav";
  if (name.size() < digits.size() + 1 + kExtension.size() || leadingIndex(name) != digits) return false;
  std::string_view extension = name.substr(name.size() - kExtension.size());
  for (size_t i = 0; i < kExtension.size(); ++i)
    if (base::lowerAscii(extension[i]) != kExtension[i]) return false;
  return true;
}

std::string CacheListing::folded(std::string_view name) const {
  std::string text(name);
  for (size_t i = 0; i < text.size(); ++i) {
    if (isLeadByte_(static_cast<unsigned char>(text[i])))
      ++i;
    else
      text[i] = base::lowerAscii(text[i]);
  }
  return text;
}

void CacheListing::add(CacheEntry entry) {
  names_.insert(folded(entry.name));
  if (!entry.shortName.empty()) names_.insert(folded(entry.shortName));
  if (!entry.directory) {
    std::string_view longIndex = leadingIndex(entry.name);
    std::string_view shortIndex = leadingIndex(entry.shortName);
    if (!longIndex.empty()) byIndex_[std::string(longIndex)].push_back(entries_.size());
    if (!shortIndex.empty() && shortIndex != longIndex) byIndex_[std::string(shortIndex)].push_back(entries_.size());
  }
  entries_.push_back(std::move(entry));
  taken_.push_back(false);
}

bool CacheListing::contains(std::string_view name) const { return names_.count(folded(name)) != 0; }

std::vector<CacheEntry> CacheListing::takeIndexFiles(int32_t index) {
  std::vector<CacheEntry> taken;
  auto found = byIndex_.find(std::to_string(index));
  if (found == byIndex_.end()) return taken;
  for (size_t position : found->second) {
    const CacheEntry& entry = entries_[position];
    if (!matchesIndexPattern(entry.name, found->first) && !matchesIndexPattern(entry.shortName, found->first))
      continue;
    // A file whose other name begins with another index may have gone with it.
    if (taken_[position]) continue;
    taken_[position] = true;
    forget(entry.name);
    if (!entry.shortName.empty()) forget(entry.shortName);
    taken.push_back(entry);
  }
  byIndex_.erase(found);
  return taken;
}

std::vector<CacheEntry> CacheListing::filesMissingFrom(const CacheListing& earlier) const {
  std::vector<CacheEntry> created;
  for (size_t position = 0; position < entries_.size(); ++position) {
    const CacheEntry& entry = entries_[position];
    if (!entry.directory && !taken_[position] && !earlier.contains(entry.name)) created.push_back(entry);
  }
  return created;
}

// Names outside the code page may coincide here (each such character is
// "?"): one name goes for each file taken.
void CacheListing::forget(std::string_view name) {
  auto found = names_.find(folded(name));
  if (found != names_.end()) names_.erase(found);
}

}  // namespace sondrel
