// A host directory with the test build of sondrel, whose render the tests
// drive through the environment (fake_render.cpp).
#pragma once

#include <gmock/gmock.h>

#include "windriver.h"

namespace shelltest {

using namespace windriver;

constexpr DWORD kCancelled = ERROR_CANCELLED;
constexpr int kStatus = 1001, kProgressBar = 1002;
constexpr char kPluginText[] = "[#SETTING]\r\nTempo=120.00\r\n";

struct ShellHost : Host {
  ShellHost(const wchar_t* name, const char* settingIni) : Host(name, settingIni) {
    install(L"tests\\wine\\shell\\sondrel_fake.exe");
    writeFile(plugin, kPluginText);
  }
};

}  // namespace shelltest
