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

int32_t fail(FailureCause cause, FailureSubject subject, const std::string& path, const std::string& character,
             RenderFailure& failure) {
  failure.cause = cause;
  failure.subject = subject;
  failure.text = path;
  failure.character = character;
  return cause == FailureCause::PathTooLong ? base::kStatusFilenameTooLong : base::kStatusInvalidName;
}

}  // namespace

int32_t checkPathLimits(const RenderConfig& config, RenderFailure& failure) {
  for (auto [path, subject] : {std::pair{&config.outputPath, FailureSubject::Output},
                               std::pair{&config.cacheDir, FailureSubject::CacheDir}}) {
    std::string character = forbiddenCharacter(*path);
    if (!character.empty()) return fail(FailureCause::InvalidName, subject, *path, character, failure);
  }
  if (namesAFolder(config.outputPath))
    return fail(FailureCause::NamesAFolder, FailureSubject::Output, config.outputPath, "", failure);
  // ".whd" and ".dat" are the longest names derived from the output.
  if (!base::fitsMaxPath(config.outputPath + ".whd"))
    return fail(FailureCause::PathTooLong, FailureSubject::Output, config.outputPath + ".whd", "", failure);
  for (const RenderRequest& request : config.requests) {
    // Cache names are plain file names by construction (formatCacheName).
    const ResamplerArgs& resampler = request.resampler;
    const std::string* tooLong = nullptr;
    if (!fits(config.voiceDir, resampler.skipResample ? request.wavtool.wavInput : resampler.inputPath))
      tooLong = resampler.skipResample ? &request.wavtool.wavInput : &resampler.inputPath;
    else if (!resampler.skipResample && !fits(config.cacheDir, resampler.cachePath))
      tooLong = &resampler.cachePath;
    if (tooLong) {
      const std::string& directory = tooLong == &resampler.cachePath ? config.cacheDir : config.voiceDir;
      fail(FailureCause::PathTooLong, tooLong == &resampler.cachePath ? FailureSubject::CacheName
                                                                      : FailureSubject::Sample,
           directory + "\\" + *tooLong, "", failure);
      failure.noteNumber = request.index + 1;
      failure.lyric = resampler.lyric;
      return base::kStatusFilenameTooLong;
    }
  }
  return base::kStatusOk;
}

}  // namespace sondrel
