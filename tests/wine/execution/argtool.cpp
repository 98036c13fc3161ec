// Stand-in for the resampler and wavtool programs, driven by the environment:
//   STANDIN_LOG       appends "<program name>|<arg 1>|<arg 2>|..." per run, as
//                     the program received its arguments
//   STANDIN_TIMES     (set) also appends "start|<program>|<µs>|<output name>"
//                     first and "end|..." last, on one clock for all processes
//   STANDIN_SLEEP_MS  sleeps that long; STANDIN_BURN_MS spends that much CPU
//   STANDIN_CHILD     a program that every other copy starts (without waiting)
//                     before it sleeps, with the same arguments, as a wrapper
//                     starts the real tool
//   STANDIN_CONSOLE   (set) also logs "console|<program>|<1 if it has a
//                     console>|<1 if that console has a window>"
//   ARGTOOL_PARTS     a copy named wavtool*.exe creates the wavtool's empty part
//                     files (first argument + ".whd" and ".dat"), so that a
//                     render with it has an output
//   ARGTOOL_RECORD    a file that receives the arguments byte for byte: a line
//                     "<program name> <count>", then "<length>:<bytes>" lines
//   ARGTOOL_PARENT    also logs "parent|<command line of the parent process>" and
//                     "image|<32 or 64: this program>|<parent's program file>|<32 or 64>"
//   ARGTOOL_EXIT      the exit code
// Any other copy plays the resampler, whose second argument is its output:
//   STANDIN_RECORD    directory that receives "<output name>.txt": the raw
//                     command line, the current directory and the environment
//   STANDIN_OUTPUT    "cut": writes a few bytes to the output before sleeping,
//                     as a resampler that is ended midway leaves them;
//                     "resample": then replaces them by what resampler10.dll
//                     beside the program writes for the same arguments
//   STANDIN_FAIL_ONCE the one run that creates this marker file ends with 1
//                     after the cut output
//   STANDIN_ANALYSIS  (set) writes "<sample>.frq" beside its sample (first
//                     argument) and holds it, unshared, until it ends, as
//                     resamplers do with their analysis files; when another
//                     run holds it, logs "clash|<program>|<sample>" and ends with 1
#include <windows.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

// Arguments exactly as the command line holds them: no wildcard expansion.
int _dowildcard = 0;

namespace {

using ResamplerExec = int(__cdecl*)(const char*, const char*, const char*, const char*, const char*, const char*,
                                    const char*, const char*, const char*, const char*, const char*, const char*,
                                    const char*, const char*);

const char* setting(const char* name) { return std::getenv(name); }

// Runs side by side with its own copies: appends are serialised by a mutex.
void append(const std::string& path, const std::string& text) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, L"argtool-log");
  WaitForSingleObject(mutex, INFINITE);
  if (FILE* file = std::fopen(path.c_str(), "ab")) {
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
  ReleaseMutex(mutex);
  CloseHandle(mutex);
}

void logTime(const char* what, const std::string& program, const std::string& output) {
  if (!setting("STANDIN_LOG") || !setting("STANDIN_TIMES")) return;
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  long long micro =
      now.QuadPart / frequency.QuadPart * 1000000 + now.QuadPart % frequency.QuadPart * 1000000 / frequency.QuadPart;
  append(setting("STANDIN_LOG"), std::string(what) + "|" + program + "|" + std::to_string(micro) + "|" + output + "\n");
}

std::string baseName(std::string path) {
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.erase(0, slash + 1);
}

HANDLE openParent(DWORD access) {
  DWORD parent = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (entry.th32ProcessID == GetCurrentProcessId()) parent = entry.th32ParentProcessID;
  CloseHandle(snapshot);
  return OpenProcess(access, FALSE, parent);
}

std::string parentCommandLine() {
  HANDLE process = openParent(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ);
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

// On a 64-bit system every 32-bit process runs under WoW64.
std::string bits(HANDLE process) {
  BOOL wow64 = FALSE;
  return IsWow64Process(process, &wow64) && wow64 ? "32" : "64";
}

// The parent's program file as the system names it: a 32-bit interpreter
// started as "system32\cmd.exe" by a 32-bit program is the one in syswow64.
std::string parentImage() {
  HANDLE process = openParent(PROCESS_QUERY_LIMITED_INFORMATION);
  char path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  std::string image = process && QueryFullProcessImageNameA(process, 0, path, &size) ? path : "?";
  image += "|" + (process ? bits(process) : std::string("?"));
  if (process) CloseHandle(process);
  return image;
}

void record(const std::string& directory, const std::string& output) {
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  std::string text = std::string(GetCommandLineA()) + "\n" + current + "\n";
  // The block as the system holds it, in UTF-16; recorded as UTF-8.
  wchar_t* block = GetEnvironmentStringsW();
  for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1) {
    char utf8[32768] = {};
    WideCharToMultiByte(CP_UTF8, 0, entry, -1, utf8, sizeof utf8, nullptr, nullptr);
    text += std::string(utf8) + "\n";
  }
  FreeEnvironmentStringsW(block);
  if (FILE* file = std::fopen((directory + "\\" + output + ".txt").c_str(), "wb")) {
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
}

// Milliseconds of CPU time this thread has used, the process start included.
unsigned long long cpuMs() {
  FILETIME created, ended, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
  return (user.dwLowDateTime + (static_cast<unsigned long long>(user.dwHighDateTime) << 32) + kernel.dwLowDateTime +
          (static_cast<unsigned long long>(kernel.dwHighDateTime) << 32)) /
         10000;
}

// Spends `milliseconds` of CPU time on top of what the program has used so
// far. Asking for the time is a call into the Wine server, so the work
// between two questions is large.
void burn(DWORD milliseconds) {
  const unsigned long long end = cpuMs() + milliseconds;
  volatile unsigned sink = 0;
  while (cpuMs() < end)
    for (unsigned i = 0; i < 1000000; ++i) sink = sink * 31 + i;
}

bool resample(int argc, char** argv) {
  char library[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, library, MAX_PATH);
  std::string path = library;
  path = path.substr(0, path.find_last_of('\\') + 1) + "resampler10.dll";
  HMODULE module = LoadLibraryA(path.c_str());
  auto exec =
      module ? reinterpret_cast<ResamplerExec>(reinterpret_cast<void*>(GetProcAddress(module, "exec"))) : nullptr;
  return exec && exec(argv[1], argv[2], argv[3], argv[4], argv[5], argv[6], argv[7], argv[8], argv[9], argv[10],
                      argv[11], argv[12], argc > 13 ? argv[13] : "", nullptr) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string program = baseName(argv[0]);
  const bool wavtool = program.compare(0, 7, "wavtool") == 0;
  const std::string output = argc > 2 ? baseName(argv[2]) : "";
  logTime("start", program, output);
  std::string line = program;
  for (int i = 1; i < argc; ++i) line += std::string("|") + argv[i];
  line += "\n";
  if (setting("ARGTOOL_PARENT"))
    line += "parent|" + parentCommandLine() + "\nimage|" + bits(GetCurrentProcess()) + "|" + parentImage() + "\n";
  if (setting("STANDIN_CONSOLE"))
    line += "console|" + program + "|" + (GetConsoleCP() != 0 ? "1" : "0") + "|" +
            (GetConsoleWindow() != nullptr ? "1" : "0") + "\n";
  if (const char* log = setting("STANDIN_LOG")) append(log, line);
  if (const char* file = setting("ARGTOOL_RECORD")) {
    std::string bytes = program + " " + std::to_string(argc - 1) + "\n";
    for (int i = 1; i < argc; ++i) bytes += std::to_string(std::string(argv[i]).size()) + ":" + argv[i] + "\n";
    append(file, bytes);
  }
  if (wavtool && setting("ARGTOOL_PARTS") && argc > 1) {
    for (const char* part : {".whd", ".dat"})
      if (FILE* file = std::fopen((std::string(argv[1]) + part).c_str(), "ab")) std::fclose(file);
  }
  const char* outputKind = wavtool || argc < 13 ? nullptr : setting("STANDIN_OUTPUT");
  if (!wavtool && argc > 2) {
    if (const char* directory = setting("STANDIN_RECORD")) record(directory, output);
  }
  HANDLE analysis = INVALID_HANDLE_VALUE;
  if (!wavtool && argc > 2 && setting("STANDIN_ANALYSIS")) {
    analysis = CreateFileA((std::string(argv[1]) + ".frq").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (analysis == INVALID_HANDLE_VALUE) {
      if (const char* log = setting("STANDIN_LOG")) append(log, "clash|" + program + "|" + argv[1] + "\n");
      return 1;
    }
  }
  if (outputKind) {
    if (FILE* file = std::fopen(argv[2], "wb")) {
      std::fputs("cut", file);
      std::fclose(file);
    }
    const char* marker = setting("STANDIN_FAIL_ONCE");
    if (marker) {
      HANDLE created = CreateFileA(marker, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (created != INVALID_HANDLE_VALUE) {
        CloseHandle(created);
        logTime("end", program, output);
        return 1;
      }
    }
  }
  const char* child = setting("STANDIN_CHILD");
  if (child && baseName(child) != program) {
    const std::string own = GetCommandLineA();
    const size_t end = own[0] == '"' ? own.find('"', 1) + 1 : own.find(' ');
    std::string commandLine = "\"" + std::string(child) + "\"" + (end == std::string::npos ? "" : own.substr(end));
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (CreateProcessA(child, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
      CloseHandle(started.hThread);
      CloseHandle(started.hProcess);
    }
  }
  if (const char* sleep = setting("STANDIN_SLEEP_MS")) Sleep(static_cast<DWORD>(std::atoi(sleep)));
  if (const char* cpu = setting("STANDIN_BURN_MS")) burn(static_cast<DWORD>(std::atoi(cpu)));
  int status = outputKind && std::string(outputKind) == "resample" && !resample(argc, argv) ? 1 : 0;
  if (analysis != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(analysis, "analysis", 8, &written, nullptr);
    CloseHandle(analysis);
  }
  logTime("end", program, output);
  const char* exitCode = setting("ARGTOOL_EXIT");
  return exitCode ? std::atoi(exitCode) : status;
}
