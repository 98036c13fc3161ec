// wavtool: the reference wavtool as a program (arguments in wavtool_call.h
// and tools/README.md). Exit code 0 on success, 1 on failure.
#include <cstdio>
#include <string>
#include <vector>

#include "common/tool_text.h"
#include "wavtool/wavtool_call.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  reftools::logCall("wavtool", arguments);
  std::string error;
  int status = reftools::runWavtool(arguments, error);
  if (status != 0) std::fprintf(stderr, "wavtool: %s\n", error.c_str());
  return status;
}
