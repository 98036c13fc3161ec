#include "shell/run_options.h"

namespace sondrel {
int32_t renderProject(RunOptions&) { return 0; }
}  // namespace sondrel
