#include "execution/path_limits.h"

#include "base/ansi_code_page.h"
#include "base/file_access.h"
#include "base/status.h"

namespace sondrel {
namespace {

bool fits(const std::string& directory, const std::string& name) {
  return directory.size() + 1 + name.size() < base::kMaxPath;
}

// The first character that cannot stand in a file name, or an empty text.
std::string forbiddenCharacter(const std::string& path) {
  for (size_t at = 0; at < path.size();) {
    size_t length = base::ansiCharacterLength(path, at);
    if (length == 1) {
      unsigned char c = static_cast<unsigned char>(path[at]);
      if (c < 0x20 || c == '*' || c == '?' || c == '<' || c == '>' || c == '|' || c == '"')
        return std::string(1, path[at]);
    }
    at += length ? length : 1;
  }
  return std::string();
}

// A name of dots and blanks alone is the folder itself, or its parent, to
// the system; an empty one names the folder: `del` would then empty it.
bool namesAFolder(const std::string& path) {
  size_t slash = path.find_last_of("\\/:");
  std::string_view name = std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
  return name.find_first_not_of(". ") == std::string_view::npos;
}

}  // namespace

int32_t checkPathLimits(const RenderConfig& config, RenderFailure& failure) {
  for (auto [path, subject] : {std::pair{&config.outputPath, FailureSubject::Output},
                               std::pair{&config.cacheDir, FailureSubject::CacheDir}}) {
    std::string character = forbiddenCharacter(*path);
    if (!character.empty()) {
      failure = RenderFailure::invalidName(subject, *path, character);
      return base::kStatusInvalidName;
    }
  }
  if (namesAFolder(config.outputPath)) {
    failure = RenderFailure::namesAFolder(config.outputPath);
    return base::kStatusInvalidName;
  }
  // ".whd" and ".dat" are the longest names derived from the output.
  if (!base::fitsMaxPath(config.outputPath + ".whd")) {
    failure = RenderFailure::pathTooLong(FailureSubject::Output, config.outputPath + ".whd");
    return base::kStatusFilenameTooLong;
  }
  for (const RenderRequest& request : config.requests) {
    // Cache names are plain file names by construction (formatCacheName).
    const ResamplerArgs& resampler = request.resampler;
    const bool sung = request.kind == RequestKind::Sung;
    const std::string& sample = sung ? resampler.inputPath : request.wavtool.wavInput;
    if (!fits(config.voiceDir, sample))
      failure = RenderFailure::pathTooLong(FailureSubject::Sample, config.voiceDir + "\\" + sample);
    else if (sung && !fits(config.cacheDir, resampler.cachePath))
      failure = RenderFailure::pathTooLong(FailureSubject::CacheName, config.cacheDir + "\\" + resampler.cachePath);
    else
      continue;
    failure.atNote(request.index, resampler.lyric);
    return base::kStatusFilenameTooLong;
  }
  return base::kStatusOk;
}

}  // namespace sondrel
