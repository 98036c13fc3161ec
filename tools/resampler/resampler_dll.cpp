// resampler10.dll: the reference resampler as a tool library. "exec" takes
// the thirteen arguments of the program followed by a null pointer and
// returns 0 on success, 1 on failure.
#include <string>
#include <vector>

#include "common/tool_text.h"
#include "resampler/resampler_call.h"

extern "C" int __cdecl exec(const char* a0, const char* a1, const char* a2, const char* a3,
                            const char* a4, const char* a5, const char* a6, const char* a7,
                            const char* a8, const char* a9, const char* a10, const char* a11,
                            const char* a12, const char*) {
  std::vector<std::string> arguments;
  for (const char* text : {a0, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12})
    arguments.push_back(text ? text : "");
  reftools::logCall("resampler10.dll", arguments);
  std::string error;
  return reftools::runResampler(arguments, error);
}
