// A scratch directory with the argument-logging stand-ins as resampler.exe
// and wavtool.exe, a render configuration that uses them, and the log.
#pragma once

#include <string>
#include <vector>

#include "shell/render_config.h"
#include "shell/run_options.h"

struct ScriptFixture {
  std::wstring dir;
  std::string dirA;  // the same in the ANSI code page
  sondrel::RunOptions options;

  // Creates `dirName` under the scratch root, makes it the current
  // directory and points ARGTOOL_LOG at calls.log inside it.
  explicit ScriptFixture(const std::wstring& dirName);

  sondrel::RenderConfig config() const;
  // Lines of the call log, in order.
  std::vector<std::string> calls() const;
  bool exists(const char* name) const;
};

// One sung note, one direct sample, one rest.
std::vector<sondrel::RenderRequest> threeRequests();
