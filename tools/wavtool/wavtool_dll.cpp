// wavtool2.dll: the reference wavtool as a tool library. "exec" takes the
// output, input, start point, length and eleven envelope slots (empty slots
// are missing values); "append_files" joins header part and data part into
// the output. Both return 0 on success, 1 on failure.
#include <string>
#include <vector>

#include "common/tool_text.h"
#include "wavtool/wavtool_call.h"

namespace {

std::string textOf(const char* text) { return text ? text : ""; }

}  // namespace

extern "C" int __cdecl exec(const char* a0, const char* a1, const char* a2, const char* a3,
                            const char* a4, const char* a5, const char* a6, const char* a7,
                            const char* a8, const char* a9, const char* a10, const char* a11,
                            const char* a12, const char* a13, const char* a14) {
  std::vector<std::string> arguments;
  for (const char* text : {a0, a1, a2, a3, a4, a5, a6, a7, a8, a9, a10, a11, a12, a13, a14})
    arguments.push_back(textOf(text));
  reftools::logCall("wavtool2.dll", arguments);
  std::string error;
  return reftools::runWavtool(arguments, error);
}

extern "C" int __cdecl append_files(const char* headerPath, const char* dataPath,
                                    const char* outputPath) {
  std::vector<std::string> arguments = {textOf(headerPath), textOf(dataPath), textOf(outputPath)};
  reftools::logCall("append_files", arguments);
  std::string error;
  return reftools::appendFiles(arguments[0], arguments[1], arguments[2], error);
}
