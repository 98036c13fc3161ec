// Removal of the per-note resampler results after a render.
#pragma once

#include <string>

namespace sondrel {

// Deletes the ".wav" files of the cache directory and then the directory,
// which goes only when nothing else is left in it. Failures are ignored.
void cleanCache(const std::string& cacheDir);

}  // namespace sondrel
