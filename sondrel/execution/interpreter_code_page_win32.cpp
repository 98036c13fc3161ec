#include "execution/interpreter_code_page.h"

#include <algorithm>
#include <vector>

#include "base/code_page_text.h"
#include "base/status.h"
#include "base/win32_files.h"
#include "execution/interpreter_command.h"
#include "execution/interpreter_environment.h"
#include "execution/process_job.h"
#include "execution/script_runner.h"

namespace sondrel {
namespace {

// Characters per probe line: even at four bytes each in UTF-8, a line stays
// far below the interpreter's 8191.
constexpr size_t kProbeLineCharacters = 500;

// The characters in pieces of whole characters (a pair of surrogates stays
// together).
std::vector<std::wstring> pieces(const std::wstring& characters) {
  std::vector<std::wstring> pieces;
  for (size_t at = 0; at < characters.size();) {
    size_t end = std::min(at + kProbeLineCharacters, characters.size());
    if (end < characters.size() && IS_LOW_SURROGATE(characters[end])) --end;
    pieces.push_back(characters.substr(at, end - at));
    at = end;
  }
  return pieces;
}

struct Probe {
  HANDLE cancelEvent;
  std::string script;  // the probe script's path
  std::vector<std::wstring> pieces;
};

// Whether the interpreter reads the pieces, written in `codePage`, as they
// are; 0, or 1223 when cancelled. A character that the code page lacks is
// no reading at all: `missing` names it.
int32_t readsAsWritten(const Probe& probe, unsigned codePage, bool& reads, wchar_t& missing) {
  reads = false;
  std::vector<std::string> encoded(probe.pieces.size());
  for (size_t i = 0; i < probe.pieces.size(); ++i)
    if (!base::toCodePageExact(codePage, probe.pieces[i], encoded[i], missing)) return base::kStatusOk;
  {
    base::FileHandle file(CreateFileA(probe.script.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || !base::writeAll(file.get(), probeScriptText(encoded))) return base::kStatusOk;
  }
  wchar_t* inherited = GetEnvironmentStringsW();
  InterpreterEnvironment environment(environmentEntries(inherited));
  if (inherited) FreeEnvironmentStringsW(inherited);
  for (size_t i = 0; i < probe.pieces.size(); ++i) {
    std::string name = probeVariable(i + 1);
    environment.set(std::wstring(name.begin(), name.end()), probe.pieces[i]);
  }
  const std::wstring block = environment.block();
  ProcessJob job;
  HANDLE started = nullptr;
  RenderFailure unused;
  if (startInterpreter(job, probe.script, codePage, block.c_str(), CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW,
                       started, unused) != base::kStatusOk)
    return base::kStatusOk;
  base::FileHandle process(started);
  HANDLE handles[2] = {process.get(), probe.cancelEvent};
  DWORD woken = WaitForMultipleObjects(probe.cancelEvent ? 2 : 1, handles, FALSE, INFINITE);
  if (woken != WAIT_OBJECT_0 || base::isSignalled(probe.cancelEvent)) {
    job.terminateAll(base::kStatusCancelled);
    return base::kStatusCancelled;
  }
  DWORD exitCode = 1;
  reads = GetExitCodeProcess(process.get(), &exitCode) && exitCode == 0;
  return base::kStatusOk;
}

}  // namespace

int32_t chooseScriptCodePage(HANDLE cancelEvent, const std::string& directory, const std::string& characters,
                             unsigned& codePage, RenderFailure& failure) {
  const unsigned ansi = GetACP(), oem = GetOEMCP();
  codePage = ansi;
  if (characters.empty()) return base::kStatusOk;
  Probe probe{cancelEvent, directory + "\\plugin_probe.bat", pieces(base::fromCodePage(ansi, characters))};
  wchar_t missing = 0;
  bool reads = false;
  int32_t status = readsAsWritten(probe, ansi, reads, missing);
  if (status == base::kStatusOk && !reads && oem != ansi) {
    codePage = oem;
    status = readsAsWritten(probe, oem, reads, missing);
  }
  DeleteFileA(probe.script.c_str());
  if (status != base::kStatusOk || reads) return status;
  failure = RenderFailure::interpreterCodePage(missing, missing ? oem : ansi);
  return ERROR_NO_UNICODE_TRANSLATION;
}

std::string scriptInCodePage(const std::string& text, unsigned codePage) {
  const std::wstring wide = base::fromCodePage(GetACP(), text);
  const DWORD flags = base::exactConversionFlags(codePage);
  // UTF-8 holds every character, and takes no replacement character.
  const char* replacement = flags == WC_NO_BEST_FIT_CHARS ? "_" : nullptr;
  const int size = static_cast<int>(wide.size());
  int length = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, replacement, nullptr);
  if (length <= 0) return std::string();
  std::string narrow(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), size, &narrow[0], length, replacement, nullptr);
  return narrow;
}

}  // namespace sondrel
