// The reference tools as sondrel meets them: the programs started as child
// processes and the tool libraries loaded into this process.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "common/tool_text.h"
#include "common/wav_format.h"
#include "demo_bank/voice_synth.h"
#include "windriver.h"

namespace {

using ResamplerExec = int(__cdecl*)(const char*, const char*, const char*, const char*,
                                    const char*, const char*, const char*, const char*,
                                    const char*, const char*, const char*, const char*,
                                    const char*, const char*);
using WavtoolExec = int(__cdecl*)(const char*, const char*, const char*, const char*,
                                  const char*, const char*, const char*, const char*,
                                  const char*, const char*, const char*, const char*,
                                  const char*, const char*, const char*);
using AppendFiles = int(__cdecl*)(const char*, const char*, const char*);

std::string narrow(const std::wstring& wide) {
  int n = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &text[0], n, nullptr, nullptr);
  text.resize(static_cast<size_t>(n) - 1);
  return text;
}

std::wstring widen(const std::string& text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], n);
  wide.resize(static_cast<size_t>(n) - 1);
  return wide;
}

std::string fileBytes(const std::string& path) {
  std::string bytes;
  reftools::readWholeFile(path, bytes);
  return bytes;
}

// Runs a tool program of the build with the arguments quoted; its exit code.
DWORD runProgram(const wchar_t* program, const std::vector<std::string>& arguments,
                 const wchar_t* environment = nullptr) {
  std::wstring line = L"\"" + windriver::buildDir() + L"\\" + program + L"\"";
  for (const std::string& argument : arguments) line += L" \"" + widen(argument) + L"\"";
  windriver::Process process;
  if (!process.start(line, nullptr, environment)) return 0xFFFFFFFF;
  return process.wait(60000);
}

// Owns a loaded tool library.
class Library {
 public:
  explicit Library(const wchar_t* name)
      : module_(LoadLibraryW((windriver::buildDir() + L"\\" + name).c_str())) {}
  ~Library() {
    if (module_) FreeLibrary(module_);
  }
  template <typename Function>
  Function entry(const char* name) const {
    // Through the generic function pointer type, which converts to any other
    // function pointer without a warning.
    if (!module_) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module_, name)));
  }

 private:
  HMODULE module_;
};

struct Scratch {
  std::string dir;
  std::string vowel;
};

Scratch prepare(const wchar_t* name) {
  Scratch s{narrow(windriver::scratchDir(name)), ""};
  s.vowel = s.dir + "\\a.wav";
  reftools::writeWholeFile(s.vowel, reftools::encodeWav(reftools::synthesizeVowel('a', 220, 0.5)));
  return s;
}

std::vector<std::string> resamplerCall(const Scratch& s, const std::string& out) {
  return {s.vowel, out, "D4", "100.000000", "g-5", "20.000000", "450", "30.000000",
          "-400.000000", "90", "0", "!140.000000", "AA#20#AU#10#AK"};
}

int callResampler(ResamplerExec exec, const std::vector<std::string>& a) {
  return exec(a[0].c_str(), a[1].c_str(), a[2].c_str(), a[3].c_str(), a[4].c_str(),
              a[5].c_str(), a[6].c_str(), a[7].c_str(), a[8].c_str(), a[9].c_str(),
              a[10].c_str(), a[11].c_str(), a[12].c_str(), nullptr);
}

// The library's eleven envelope slots; the program gets only the given values.
int callWavtool(WavtoolExec exec, std::vector<std::string> a) {
  a.resize(15);
  return exec(a[0].c_str(), a[1].c_str(), a[2].c_str(), a[3].c_str(), a[4].c_str(),
              a[5].c_str(), a[6].c_str(), a[7].c_str(), a[8].c_str(), a[9].c_str(),
              a[10].c_str(), a[11].c_str(), a[12].c_str(), a[13].c_str(), a[14].c_str());
}

std::vector<std::vector<std::string>> wavtoolSequence(const Scratch& s, const std::string& out) {
  return {
      {out, s.dir + "\\note.wav", "12.500000", "480@140.00+22.500", "0", "5", "35", "0", "100",
       "100", "0", "15.000000"},
      {out, s.dir + "\\R.wav", "0", "240@140.00+0.000", "0", "0"},
      {out, s.dir + "\\note.wav", "0.000000", "480@140.00-7.250", "0", "5", "35", "0", "100",
       "80", "0", "20.000000", "0", "30", "50"},
  };
}

TEST(Tools, ResamplerProgramAndLibraryWriteTheSameFile) {
  Scratch s = prepare(L"tools_same_resampler");
  ASSERT_EQ(runProgram(L"resampler.exe", resamplerCall(s, s.dir + "\\program.wav")), 0u);
  Library library(L"resampler10.dll");
  auto exec = library.entry<ResamplerExec>("exec");
  ASSERT_NE(exec, nullptr);
  ASSERT_EQ(callResampler(exec, resamplerCall(s, s.dir + "\\library.wav")), 0);
  std::string program = fileBytes(s.dir + "\\program.wav");
  EXPECT_EQ(program.size(), reftools::kWavHeaderSize + 2 * 19845) << "450 ms at 44.1 kHz";
  EXPECT_TRUE(program == fileBytes(s.dir + "\\library.wav")) << "outputs differ";
}

TEST(Tools, WavtoolProgramAndLibraryBuildTheSameSong) {
  Scratch s = prepare(L"tools_same_wavtool");
  ASSERT_EQ(runProgram(L"resampler.exe", resamplerCall(s, s.dir + "\\note.wav")), 0u);
  std::string byProgram = s.dir + "\\program.wav", byLibrary = s.dir + "\\library.wav";
  Library library(L"wavtool2.dll");
  auto exec = library.entry<WavtoolExec>("exec");
  auto append = library.entry<AppendFiles>("append_files");
  ASSERT_NE(exec, nullptr);
  ASSERT_NE(append, nullptr);
  for (const auto& call : wavtoolSequence(s, byProgram))
    ASSERT_EQ(runProgram(L"wavtool.exe", call), 0u) << call[3];
  for (const auto& call : wavtoolSequence(s, byLibrary)) ASSERT_EQ(callWavtool(exec, call), 0);
  ASSERT_EQ(append((byLibrary + ".whd").c_str(), (byLibrary + ".dat").c_str(), byLibrary.c_str()),
            0);
  std::string header = fileBytes(byProgram + ".whd"), data = fileBytes(byProgram + ".dat");
  EXPECT_EQ(header, reftools::wavHeader(static_cast<uint32_t>(data.size())));
  EXPECT_TRUE(data == fileBytes(byLibrary + ".dat")) << "data parts differ";
  EXPECT_TRUE(header + data == fileBytes(byLibrary)) << "joined output differs from the parts";
}

TEST(Tools, EveryCallIsLogged) {
  Scratch s = prepare(L"tools_log");
  std::string log = s.dir + "\\calls.log";
  std::wstring environment = L"REFTOOL_LOG=" + widen(log) + L'\0';
  ASSERT_EQ(runProgram(L"resampler.exe", resamplerCall(s, s.dir + "\\note.wav"),
                       environment.c_str()), 0u);
  ASSERT_EQ(runProgram(L"wavtool.exe", wavtoolSequence(s, s.dir + "\\song.wav")[1],
                       environment.c_str()), 0u);
  ASSERT_EQ(_putenv(("REFTOOL_LOG=" + log).c_str()), 0);
  {
    Library library(L"wavtool2.dll");
    auto append = library.entry<AppendFiles>("append_files");
    ASSERT_NE(append, nullptr);
    std::string song = s.dir + "\\song.wav";
    append((song + ".whd").c_str(), (song + ".dat").c_str(), song.c_str());
  }
  _putenv("REFTOOL_LOG=");
  std::string song = s.dir + "\\song.wav";
  std::string expected =
      "resampler 13 " + s.vowel + "|" + s.dir + "\\note.wav" +
      "|D4|100.000000|g-5|20.000000|450|30.000000|-400.000000|90|0|!140.000000|AA#20#AU#10#AK\n" +
      "wavtool 6 " + song + "|" + s.dir + "\\R.wav|0|240@140.00+0.000|0|0\n" +
      "append_files 3 " + song + ".whd|" + song + ".dat|" + song + "\n";
  EXPECT_EQ(fileBytes(log), expected);
}

TEST(Tools, ProgramsSurviveHostileArguments) {
  Scratch s = prepare(L"tools_hostile_programs");
  std::string garbage = s.dir + "\\garbage.wav";
  reftools::writeWholeFile(garbage, std::string("RIFF\xff\xff\xff\xffWAVEfmt \x10\0\0\0", 20));
  std::string out = s.dir + "\\out.wav";
  std::vector<std::string> badLength = resamplerCall(s, out);
  badLength[6] = "99999999999";
  std::vector<std::string> badPitch = resamplerCall(s, out);
  badPitch[12] = "AA#4294967297#";
  std::vector<std::string> badWav = resamplerCall(s, out);
  badWav[0] = garbage;
  struct Case {
    const char* name;
    const wchar_t* program;
    std::vector<std::string> arguments;
  } cases[] = {
      {"no arguments", L"resampler.exe", {}},
      {"absurd length", L"resampler.exe", badLength},
      {"malformed pitch string", L"resampler.exe", badPitch},
      {"malformed WAV", L"resampler.exe", badWav},
      {"missing WAV", L"resampler.exe", resamplerCall({s.dir, s.dir + "\\none.wav"}, out)},
      {"wavtool without arguments", L"wavtool.exe", {}},
      {"wavtool absurd length", L"wavtool.exe", {out, s.vowel, "0", "1e300@1+1", "0", "0"}},
      {"wavtool absurd start", L"wavtool.exe", {out, s.vowel, "-1e12", "100", "0", "0"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(runProgram(c.program, c.arguments), 1u) << c.name;
    EXPECT_FALSE(windriver::fileExists(widen(out))) << c.name;
  }
}

TEST(Tools, LibrariesSurviveHostileArguments) {
  Scratch s = prepare(L"tools_hostile_libraries");
  Library resampler(L"resampler10.dll"), wavtool(L"wavtool2.dll");
  auto resample = resampler.entry<ResamplerExec>("exec");
  auto append = wavtool.entry<AppendFiles>("append_files");
  auto wav = wavtool.entry<WavtoolExec>("exec");
  ASSERT_TRUE(resample && append && wav);
  std::string out = s.dir + "\\out.wav";
  std::vector<std::string> badPitch = resamplerCall(s, out);
  badPitch[12] = "A";
  EXPECT_EQ(callResampler(resample, badPitch), 1);
  EXPECT_EQ(resample(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(wav(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(callWavtool(wav, {out, s.vowel, "0", "480@-1.00+0", "0", "0"}), 1);
  EXPECT_EQ(append(nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(append((out + ".whd").c_str(), (out + ".dat").c_str(), out.c_str()), 1);
  EXPECT_FALSE(windriver::fileExists(widen(out)));
}

}  // namespace
