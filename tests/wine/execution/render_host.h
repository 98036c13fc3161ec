// A host directory for whole renders of sondrel.exe: the reference tool
// programs, the chosen tool libraries, and setting.ini in script or DLL mode.
#pragma once

#include <gmock/gmock.h>

#include "base/ansi_text.h"
#include "windriver.h"

using namespace windriver;

// Which tool libraries lie in the host directory.
// RuntimeResampler needs toolruntime.dll, which lies beside it; StdcallResampler
// is built for the other calling convention.
enum class Tools { Reference, Fakes, FakesWithoutResamplerExec, RuntimeResampler, StdcallResampler, NoResamplerLibrary };

// Three notes of 480 ticks: a sung note, a rest, another sung note.
const char kNotes[] =
    "[#0000]\r\nLength=480\r\nLyric=a\r\nNoteNum=60\r\n"
    "[#0001]\r\nLength=480\r\nLyric=R\r\nNoteNum=60\r\n"
    "[#0002]\r\nLength=480\r\nLyric=ka\r\nNoteNum=62\r\n";

const std::wstring kFakes = L"tests\\wine\\execution\\fakes\\";
const std::wstring kArgtool = L"tests\\wine\\execution\\argtool.exe";

struct RenderHost : Host {
  RenderHost(const wchar_t* name, bool useDll, Tools tools = Tools::Reference) : Host(name, nullptr) {
    install(L"sondrel.exe");
    take(L"resampler.exe", L"resampler.exe");
    take(L"wavtool.exe", L"wavtool.exe");
    const std::wstring resamplers[] = {L"resampler10.dll", kFakes + L"resampler\\resampler10.dll",
                                       kFakes + L"resampler_noexec\\resampler10.dll",
                                       kFakes + L"resampler_runtime\\resampler10.dll",
                                       kFakes + L"resampler_stdcall\\resampler10.dll"};
    if (tools != Tools::NoResamplerLibrary) take(resamplers[static_cast<int>(tools)], L"resampler10.dll");
    if (tools == Tools::RuntimeResampler) take(kFakes + L"runtime_beside\\toolruntime.dll", L"toolruntime.dll");
    bool fakes = tools != Tools::Reference && tools != Tools::NoResamplerLibrary;
    take(fakes ? kFakes + L"wavtool\\wavtool2.dll" : L"wavtool2.dll", L"wavtool2.dll");
    setting(std::string("Tool1Path=wavtool.exe\r\nTool2Path=resampler.exe\r\nUseDLL=") + (useDll ? "1" : "0"));
  }
  // Copies a file of the build tree into the host directory.
  void take(const std::wstring& fromBuild, const wchar_t* name) const {
    copyFile(buildDir() + L"\\" + fromBuild, root + L"\\" + name);
  }
  bool has(const wchar_t* nameInWork) const { return fileExists(work + L"\\" + nameInWork); }
  void setting(const std::string& text) const { writeFile(root + L"\\setting.ini", text + "\r\n"); }
  void writePlugin(const std::string& notes, const std::string& extraSetting = "",
                   const std::wstring& voiceDir = demoBank()) const {
    writeFile(plugin, "[#SETTING]\r\nTempo=120\r\nVoiceDir=" + base::toAnsi(voiceDir) + "\r\n" + extraSetting + notes);
  }
};
