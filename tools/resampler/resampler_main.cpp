// resampler: the reference resampler as a program (arguments in
// resampler_call.h and tools/README.md). Exit code 0 on success, 1 on failure.
#include <cstdio>
#include <string>
#include <vector>

#include "common/tool_text.h"
#include "resampler/resampler_call.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  reftools::logCall("resampler", arguments);
  std::string error;
  int status = reftools::runResampler(arguments, error);
  if (status != 0) std::fprintf(stderr, "resampler: %s\n", error.c_str());
  return status;
}
