// What names the sample and the output of a resampler run for RunOrder:
// equal texts for the same file.
#pragma once

#include <string>
#include <unordered_map>

namespace sondrel {

class RunFiles {
 public:
  // A sample by its identity where it exists, so that other spellings of one
  // file (a short name, letter case beyond ASCII) name the same sample; each
  // path is looked up once.
  const std::string& sample(const std::string& path);
  // An output by its path, with its ASCII letters in one case as the system
  // compares names: it does not exist yet, and under Wine looking up a
  // missing name costs a search of the whole cache directory, per note.
  static std::string output(const std::string& path);

 private:
  std::unordered_map<std::string, std::string> samples_;
};

}  // namespace sondrel
