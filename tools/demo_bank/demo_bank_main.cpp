// Writes the demo voice bank into the directory given as the only argument.
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/tool_text.h"
#include "demo_bank/voice_synth.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: demo_bank_gen <bank directory>\n");
    return 2;
  }
  std::filesystem::path root(argv[1]);
  for (const reftools::BankFile& file : reftools::buildDemoBank()) {
    std::filesystem::path path = root / file.path;
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    if (!reftools::writeWholeFile(path.string(), file.bytes)) {
      std::fprintf(stderr, "demo_bank_gen: cannot write %s\n", path.string().c_str());
      return 1;
    }
  }
  return 0;
}
