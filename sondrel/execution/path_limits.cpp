#include "execution/path_limits.h"

#include "project/file_access.h"
#include "shell/status.h"

namespace sondrel {
namespace {

bool fits(const std::string& directory, const std::string& name) {
  return directory.size() + 1 + name.size() < kMaxPath;
}

}  // namespace

int32_t checkPathLimits(const RenderConfig& config) {
  // ".whd" and ".dat" are the longest names derived from the output.
  if (!fitsMaxPath(config.outputPath + ".whd")) return kStatusFilenameTooLong;
  for (const RenderRequest& request : config.requests) {
    const ResamplerArgs& resampler = request.resampler;
    bool fit = resampler.skipResample
                   ? fits(config.voiceDir, request.wavtool.wavInput)
                   : fits(config.voiceDir, resampler.inputPath) && fits(config.cacheDir, resampler.cachePath) &&
                         fits(config.cacheDir, request.wavtool.wavInput);
    if (!fit) return kStatusFilenameTooLong;
  }
  return kStatusOk;
}

}  // namespace sondrel
