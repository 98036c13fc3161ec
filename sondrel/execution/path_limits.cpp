#include "execution/path_limits.h"

#include "base/file_access.h"
#include "base/status.h"

namespace sondrel {
namespace {

bool fits(const std::string& directory, const std::string& name) {
  return directory.size() + 1 + name.size() < base::kMaxPath;
}

}  // namespace

int32_t checkPathLimits(const RenderConfig& config) {
  // ".whd" and ".dat" are the longest names derived from the output.
  if (!base::fitsMaxPath(config.outputPath + ".whd")) return base::kStatusFilenameTooLong;
  for (const RenderRequest& request : config.requests) {
    const ResamplerArgs& resampler = request.resampler;
    bool fit = resampler.skipResample
                   ? fits(config.voiceDir, request.wavtool.wavInput)
                   : fits(config.voiceDir, resampler.inputPath) && fits(config.cacheDir, resampler.cachePath) &&
                         fits(config.cacheDir, request.wavtool.wavInput);
    if (!fit) return base::kStatusFilenameTooLong;
  }
  return base::kStatusOk;
}

}  // namespace sondrel
