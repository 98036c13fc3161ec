#include "shell/run_options.h"

namespace sondrel {

RunOptions runOptions;

}  // namespace sondrel
