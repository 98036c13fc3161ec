// The reference tool libraries as sondrel meets them, loaded into this
// process. What the tools compute and how the programs read their arguments
// is tested natively, and that both forms give the same WAV by the renders of
// both modes (execution/code_page_test.cpp); here, that the libraries refuse
// missing arguments.
#include <gtest/gtest.h>

#include "base/ansi_text.h"
#include "execution/tool_entry_call.h"
#include "windriver.h"

namespace {

// Calls an entry point of a tool library of the build as sondrel calls it,
// with `count` arguments, the missing ones null. A call that finds the
// library built for stdcall fails the test.
int callLibrary(const wchar_t* library, const char* name, std::vector<const char*> arguments, size_t count) {
  HMODULE module = LoadLibraryW((windriver::buildDir() + L"\\" + library).c_str());
  FARPROC entry = module ? GetProcAddress(module, name) : nullptr;
  EXPECT_NE(entry, nullptr) << name;
  arguments.resize(count, nullptr);
  sondrel::EntryCall call = entry ? sondrel::callToolEntry(entry, arguments.data(), count) : sondrel::EntryCall{-1};
  EXPECT_FALSE(call.calleeRemovedArguments);
  if (module) FreeLibrary(module);
  return call.result;
}

// Missing arguments reach the libraries as null pointers; hostile values are
// the native tests' part.
TEST(Tools, MissingArgumentsFailWithoutOutput) {
  std::string out = base::toAnsi(windriver::scratchDir(L"tools_hostile")) + "\\out.wav";
  EXPECT_EQ(callLibrary(L"resampler10.dll", "exec", {}, 14), 1);
  EXPECT_EQ(callLibrary(L"wavtool2.dll", "exec", {}, 15), 1);
  EXPECT_EQ(callLibrary(L"wavtool2.dll", "append_files", {}, 3), 1);
  const std::string header = out + ".whd", data = out + ".dat";
  EXPECT_EQ(callLibrary(L"wavtool2.dll", "append_files", {header.c_str(), data.c_str(), out.c_str()}, 3), 1)
      << "parts missing";
  EXPECT_FALSE(windriver::fileExists(base::fromAnsi(out)));
}

}  // namespace
