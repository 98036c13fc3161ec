#include "script_fixture.h"

#include "shell/ansi_text.h"
#include "windriver.h"

ScriptFixture::ScriptFixture(const std::wstring& dirName) {
  dir = windriver::scratchDir(dirName);
  dirA = sondrel::toAnsi(dir);
  std::wstring argtool = windriver::buildDir() + L"\\tests\\wine\\execution\\argtool.exe";
  windriver::copyFile(argtool, dir + L"\\resampler.exe");
  windriver::copyFile(argtool, dir + L"\\wavtool.exe");
  SetCurrentDirectoryW(dir.c_str());
  SetEnvironmentVariableW(L"ARGTOOL_LOG", (dir + L"\\calls.log").c_str());
  SetEnvironmentVariableW(L"ARGTOOL_SLEEP_MS", nullptr);
  lstrcpynW(options.pluginFilePath, (dir + L"\\t1.tmp").c_str(), MAX_PATH);
}

sondrel::RenderConfig ScriptFixture::config() const {
  sondrel::RenderConfig c;
  c.projectName = "song";
  c.voiceDir = dirA + "\\voice";
  c.wavtoolPath = dirA + "\\wavtool.exe";
  c.resamplerPath = dirA + "\\resampler.exe";
  c.outputPath = "out.wav";
  c.cacheDir = dirA + "\\t1.cache";
  return c;
}

std::vector<std::string> ScriptFixture::calls() const {
  std::string bytes;
  windriver::readFile(dir + L"\\calls.log", bytes);
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(bytes.substr(start, end - start));
  return lines;
}

bool ScriptFixture::exists(const char* name) const {
  return windriver::fileExists(dir + L"\\" + sondrel::fromAnsi(name));
}

std::vector<sondrel::RenderRequest> threeRequests() {
  sondrel::RenderRequest sung;
  sung.resampler.inputPath = "a.wav";
  sung.resampler.cachePath = "0_a_C4_550.wav";
  sung.resampler.noteName = "C4";
  sung.resampler.flags = "g-5";
  sung.resampler.offset = 12.25;
  sung.resampler.requiredLength = 550;
  sung.resampler.consonant = 60;
  sung.resampler.cutoff = -100;
  sung.resampler.intensity = 90;
  sung.resampler.tempoArg = "!120.000000";
  sung.resampler.pitchString = "AA#3#";
  sung.wavtool.wavInput = sung.resampler.cachePath;
  sung.wavtool.startPoint = 12.5;
  sung.wavtool.lengthArg = "480@120.00+10.000";
  sung.wavtool.envelopeArg = "0 5 35 0 100 100 0 30.000000";

  sondrel::RenderRequest direct;
  direct.index = direct.cacheIndex = 1;
  direct.resampler.skipResample = true;
  direct.wavtool.wavInput = "b.wav";
  direct.wavtool.wavOffset = 100;
  direct.wavtool.startPoint = 0.5;
  direct.wavtool.lengthArg = "510.000000";
  direct.wavtool.envelopeArg = "0 5 35 0 100 100 0 0.000000";

  sondrel::RenderRequest rest;
  rest.index = rest.cacheIndex = 2;
  rest.resampler.skipResample = rest.resampler.isRest = true;
  rest.wavtool.wavInput = "R.wav";
  rest.wavtool.lengthArg = "240@120.00+0.000";
  return {sung, direct, rest};
}
