// Stand-in for the resampler and wavtool programs: appends one line per run to
// the file named by STANDIN_LOG, "<program name>|<arg 1>|<arg 2>|...", as the
// program received its arguments, and then sleeps STANDIN_SLEEP_MS if set.
// With ARGTOOL_PARTS set, a copy named wavtool*.exe creates the wavtool's
// empty part files (first argument + ".whd" and ".dat"), so that a render with
// it has an output; the resampler's first argument is a voice sample, beside
// which nothing may appear. Further, for the tests that need them:
//   ARGTOOL_RECORD   a file that receives the arguments byte for byte: a line
//                    "<program name> <count>", then "<length>:<bytes>" lines
//   ARGTOOL_PARENT   also log "parent|<command line of the parent process>"
//   ARGTOOL_PARTIAL  write the second argument's file (a resampler's cache
//                    file) before sleeping, as a tool cut short would leave it
//   ARGTOOL_EXIT     the exit code
#include <windows.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

// Arguments exactly as the command line holds them: no wildcard expansion.
int _dowildcard = 0;

namespace {

void append(const char* path, const std::string& bytes) {
  if (FILE* file = std::fopen(path, "ab")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

std::string parentCommandLine() {
  DWORD parent = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (entry.th32ProcessID == GetCurrentProcessId()) parent = entry.th32ParentProcessID;
  CloseHandle(snapshot);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, parent);
  PROCESS_BASIC_INFORMATION basic = {};
  PEB peb = {};
  RTL_USER_PROCESS_PARAMETERS parameters = {};
  std::wstring line;
  if (process && NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) == 0 &&
      ReadProcessMemory(process, basic.PebBaseAddress, &peb, sizeof peb, nullptr) &&
      ReadProcessMemory(process, peb.ProcessParameters, &parameters, sizeof parameters, nullptr)) {
    line.resize(parameters.CommandLine.Length / sizeof(wchar_t));
    ReadProcessMemory(process, parameters.CommandLine.Buffer, &line[0], parameters.CommandLine.Length, nullptr);
  }
  if (process) CloseHandle(process);
  return std::string(line.begin(), line.end());
}

}  // namespace

int main(int argc, char** argv) {
  std::string line = argv[0];
  size_t slash = line.find_last_of("\\/");
  if (slash != std::string::npos) line.erase(0, slash + 1);
  std::string program = line;
  for (int i = 1; i < argc; ++i) line += std::string("|") + argv[i];
  line += "\n";
  if (std::getenv("ARGTOOL_PARENT")) line += "parent|" + parentCommandLine() + "\n";
  if (const char* log = std::getenv("STANDIN_LOG")) append(log, line);
  if (const char* record = std::getenv("ARGTOOL_RECORD")) {
    std::string bytes = program + " " + std::to_string(argc - 1) + "\n";
    for (int i = 1; i < argc; ++i) bytes += std::to_string(std::string(argv[i]).size()) + ":" + argv[i] + "\n";
    append(record, bytes);
  }
  if (std::getenv("ARGTOOL_PARTS") && argc > 1 && program.compare(0, 7, "wavtool") == 0) {
    for (const char* part : {".whd", ".dat"})
      if (FILE* file = std::fopen((std::string(argv[1]) + part).c_str(), "ab")) std::fclose(file);
  }
  if (std::getenv("ARGTOOL_PARTIAL") && argc > 2) append(argv[2], "RIFF");
  if (const char* sleep = std::getenv("STANDIN_SLEEP_MS")) Sleep(static_cast<DWORD>(std::atoi(sleep)));
  const char* exitCode = std::getenv("ARGTOOL_EXIT");
  return exitCode ? std::atoi(exitCode) : 0;
}
