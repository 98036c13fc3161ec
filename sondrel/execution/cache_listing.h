// The cache directory of a render, listed once, so that neither the check for
// a note's cache file nor the deletion of its older ones ("<index>_*.wav")
// costs a directory search per note: under Wine every lookup of a missing
// name reads the whole directory, which made a whole-track render quadratic.
//
// The system finds a name in any letter case and also by its short (8.3)
// name, and it matches a wildcard against both names: "3_*.wav" also takes
// "3 _x.wav" (short name 3__X~1.WAV) and "3_x.wavx" (3_X~1.WAV). The listing
// keeps both names and answers the same way, so that it finds and deletes
// exactly the files the system would.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace sondrel {

struct CacheEntry {
  // In the ANSI code page, where the names a render makes have an exact
  // form; a character without one is "?" here, which no such name holds.
  std::string name;
  std::string shortName;  // empty when the system gives none (an 8.3 name)
  bool directory = false;
  // The name as the system holds it (UTF-16), by which the file is deleted,
  // as the interpreter's `del` deletes it; empty for a file the render
  // created, whose `name` is exact.
  std::wstring fileName = {};
};

class CacheListing {
 public:
  // Whether a byte starts a two-byte character in the code page of the names:
  // the byte after it is never a letter of its own.
  using LeadBytePredicate = bool (*)(unsigned char byte);
  explicit CacheListing(LeadBytePredicate isLeadByte) : isLeadByte_(isLeadByte) {}

  // A file or directory found in the cache directory or created there since.
  void add(CacheEntry entry);
  // Whether a listed file or directory has this name, long or short, with its
  // ASCII letters in any case. Letter case beyond ASCII is not folded: a name
  // that differs only there counts as missing, and its note is resampled again.
  bool contains(std::string_view name) const;
  // The listed files (not directories) that "<index>_*.wav" matches, taken
  // out of the listing.
  std::vector<CacheEntry> takeIndexFiles(int32_t index);
  // The listed files (not directories) that `earlier` does not hold: those
  // created since that listing.
  std::vector<CacheEntry> filesMissingFrom(const CacheListing& earlier) const;

 private:
  std::string folded(std::string_view name) const;
  void forget(std::string_view name);

  LeadBytePredicate isLeadByte_;
  std::vector<CacheEntry> entries_;
  std::vector<bool> taken_;                     // per entry: taken out by takeIndexFiles
  std::unordered_multiset<std::string> names_;  // folded long and short names of the listed entries
  // Positions in entries_ by the decimal digits that begin a name of the file
  // before a "_"; a key goes once its index has been taken.
  std::unordered_map<std::string, std::vector<size_t>> byIndex_;
};

// Whether `name` matches "<digits>_*.wav" (the extension in any case).
bool matchesIndexPattern(std::string_view name, std::string_view digits);

// The files and directories of `directory` as the system lists them; empty
// when it cannot be read (it does not exist yet, say).
CacheListing listCacheDirectory(const std::string& directory);
// Deletes the files "<index>_*.wav" of the listing from `directory`, each by
// its long name; failures are ignored, as the interpreter's `del` ignores them.
void deleteIndexFiles(CacheListing& listing, const std::string& directory, int32_t index);
// Deletes the files of `directory` that `earlier`, its listing before a run,
// does not hold: what the run created. A file that cannot go at once is
// tried again (kDeleteRetryMs).
void deleteFilesCreatedSince(const CacheListing& earlier, const std::string& directory);

}  // namespace sondrel
