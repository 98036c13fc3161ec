// The sample of the voice bank that a note sings: its lyric through the
// prefix map of its pitch, then the fallbacks.
#pragma once

#include "project/project.h"

namespace sondrel {

const OtoEntry* findSample(const Project& project, const Note& note);

}  // namespace sondrel
