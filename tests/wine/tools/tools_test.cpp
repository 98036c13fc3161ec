// The reference tools as sondrel meets them: the programs started as child
// processes and the tool libraries loaded into this process. What the tools
// compute is tested natively; here, that both forms take their arguments and
// give the same output.
#include <gtest/gtest.h>

#include "base/ansi_text.h"
#include "common/tool_text.h"
#include "common/wav_format.h"
#include "demo_bank/voice_synth.h"
#include "execution/tool_entry_call.h"
#include "windriver.h"

namespace {

using Args = std::vector<std::string>;

std::string fileBytes(const std::string& path) { return windriver::fileText(base::fromAnsi(path)); }

// Runs a tool program of the build with the arguments quoted; its exit code.
DWORD runProgram(const wchar_t* program, const Args& arguments) {
  std::wstring line = L"\"" + windriver::buildDir() + L"\\" + program + L"\"";
  for (const std::string& argument : arguments) line += L" \"" + base::fromAnsi(argument) + L"\"";
  windriver::Process process;
  return process.start(line) ? process.wait(60000) : 0xFFFFFFFF;
}

HMODULE load(const wchar_t* name) { return LoadLibraryW((windriver::buildDir() + L"\\" + name).c_str()); }

// The entry points of both tool libraries of the build, loaded into this
// process and called as sondrel calls them, with a list of arguments (missing
// ones are null). A call that finds the library built for stdcall fails the
// test.
struct Libraries {
  HMODULE resampler = load(L"resampler10.dll"), wavtool = load(L"wavtool2.dll");
  FARPROC resampleEntry = GetProcAddress(resampler, "exec"), wavEntry = GetProcAddress(wavtool, "exec"),
          appendEntry = GetProcAddress(wavtool, "append_files");
  ~Libraries() {
    FreeLibrary(resampler);
    FreeLibrary(wavtool);
  }
  static int call(FARPROC entry, const char* const* arguments, size_t count) {
    sondrel::EntryCall call = sondrel::callToolEntry(entry, arguments, count);
    EXPECT_FALSE(call.calleeRemovedArguments);
    return call.result;
  }
  static int call(FARPROC entry, const Args& args, size_t count) {
    std::vector<const char*> p(count, nullptr);
    for (size_t i = 0; i < args.size() && i < count; ++i) p[i] = args[i].c_str();
    return call(entry, p.data(), count);
  }
  int resample(const Args& args) const { return call(resampleEntry, args, 14); }
  int wav(const Args& args) const { return call(wavEntry, args, 15); }
  int append(const char* header, const char* data, const char* output) const {
    const char* p[] = {header, data, output};
    return call(appendEntry, p, 3);
  }
};

Args resamplerCall(const std::string& dir, const std::string& out) {
  return {dir + "\\a.wav", out, "D4", "100.000000", "g-5", "20.000000", "450", "30.000000",
          "-400.000000", "90", "0", "!140.000000", "AA#20#AU#10#AK"};
}

// Blocks with overlaps and a rest; the library gets eleven envelope slots,
// the program only the given values.
std::vector<Args> wavtoolCalls(const std::string& dir, const std::string& out) {
  return {
      {out, dir + "\\note.wav", "12.500000", "480@140.00+22.500", "0", "5", "35", "0", "100", "100", "0",
       "15.000000"},
      {out, dir + "\\R.wav", "0", "240@140.00+0.000", "0", "0"},
      {out, dir + "\\note.wav", "0.000000", "480@140.00-7.250", "0", "5", "35", "0", "100", "80", "0",
       "20.000000", "0", "30", "50"},
  };
}

TEST(Tools, ProgramsAndLibrariesWriteTheSameFiles) {
  std::string dir = base::toAnsi(windriver::scratchDir(L"tools_same"));
  reftools::writeWholeFile(dir + "\\a.wav", reftools::encodeWav(reftools::synthesizeVowel('a', 220, 0.5)));
  Libraries libraries;
  ASSERT_TRUE(libraries.resampleEntry && libraries.wavEntry && libraries.appendEntry);
  ASSERT_EQ(runProgram(L"resampler.exe", resamplerCall(dir, dir + "\\note.wav")), 0u);
  ASSERT_EQ(libraries.resample(resamplerCall(dir, dir + "\\library.wav")), 0);
  std::string note = fileBytes(dir + "\\note.wav");
  EXPECT_EQ(note.size(), reftools::kWavHeaderSize + 2 * 19845) << "450 ms at 44.1 kHz";
  EXPECT_TRUE(note == fileBytes(dir + "\\library.wav")) << "resampler outputs differ";

  std::string byProgram = dir + "\\program.wav", byLibrary = dir + "\\library.wav";
  for (const Args& call : wavtoolCalls(dir, byProgram)) ASSERT_EQ(runProgram(L"wavtool.exe", call), 0u) << call[3];
  for (Args a : wavtoolCalls(dir, byLibrary)) {
    a.resize(15);
    ASSERT_EQ(libraries.wav(a), 0) << a[3];
  }
  ASSERT_EQ(libraries.append((byLibrary + ".whd").c_str(), (byLibrary + ".dat").c_str(), byLibrary.c_str()), 0);
  std::string header = fileBytes(byProgram + ".whd"), data = fileBytes(byProgram + ".dat");
  EXPECT_EQ(header, reftools::wavHeader(static_cast<uint32_t>(data.size())));
  EXPECT_TRUE(data == fileBytes(byLibrary + ".dat")) << "wavtool data parts differ";
  EXPECT_TRUE(header + data == fileBytes(byLibrary)) << "joined output differs from the parts";
}

// Missing arguments reach the programs as a short argument list and the
// libraries as null pointers; hostile values are the native tests' part.
TEST(Tools, MissingArgumentsFailWithoutOutput) {
  std::string out = base::toAnsi(windriver::scratchDir(L"tools_hostile")) + "\\out.wav";
  EXPECT_EQ(runProgram(L"resampler.exe", {}), 1u) << "resampler without arguments";
  EXPECT_EQ(runProgram(L"wavtool.exe", {}), 1u) << "wavtool without arguments";
  Libraries libraries;
  ASSERT_TRUE(libraries.resampleEntry && libraries.wavEntry && libraries.appendEntry);
  EXPECT_EQ(libraries.resample({}), 1);
  EXPECT_EQ(libraries.wav({}), 1);
  EXPECT_EQ(libraries.append(nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(libraries.append((out + ".whd").c_str(), (out + ".dat").c_str(), out.c_str()), 1) << "parts missing";
  EXPECT_FALSE(windriver::fileExists(base::fromAnsi(out)));
}

}  // namespace
