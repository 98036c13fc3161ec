// Stand-in for the resampler and wavtool programs: appends one line per run to
// the file named by STANDIN_LOG, "<program name>|<arg 1>|<arg 2>|...", as the
// program received its arguments, and then sleeps STANDIN_SLEEP_MS if set.
// With ARGTOOL_PARTS set, a copy named wavtool*.exe creates the wavtool's
// empty part files (first argument + ".whd" and ".dat"), so that a render with
// it has an output; the resampler's first argument is a voice sample, beside
// which nothing may appear.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  std::string line = argv[0];
  size_t slash = line.find_last_of("\\/");
  if (slash != std::string::npos) line.erase(0, slash + 1);
  for (int i = 1; i < argc; ++i) line += std::string("|") + argv[i];
  line += "\n";
  if (const char* log = std::getenv("STANDIN_LOG")) {
    if (FILE* file = std::fopen(log, "ab")) {
      std::fwrite(line.data(), 1, line.size(), file);
      std::fclose(file);
    }
  }
  if (std::getenv("ARGTOOL_PARTS") && argc > 1 && line.compare(0, 7, "wavtool") == 0) {
    for (const char* part : {".whd", ".dat"})
      if (FILE* file = std::fopen((std::string(argv[1]) + part).c_str(), "ab")) std::fclose(file);
  }
  if (const char* sleep = std::getenv("STANDIN_SLEEP_MS")) Sleep(static_cast<DWORD>(std::atoi(sleep)));
  return 0;
}
