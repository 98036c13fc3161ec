#include "shell/host_setting.h"

#include <gtest/gtest.h>

#include <string>

namespace sondrel {
namespace {

using namespace std::string_literals;

TEST(FindSetting, ReadsTheFirstLineThatStartsWithTheKey) {
  const std::string longValue(100000, '7');
  struct Case { const char* name; std::string text; bool found; std::string value; } cases[] = {
      {"no final line end", "VoiceRoot=C:\\v\r\nUseDLL=2", true, "2"},
      {"first of two, untrimmed", "UseDLL= 0 \r\nUseDLL=1\r\n", true, " 0 "},
      {"blank before the key", " UseDLL=1\r\n", false, ""},
      {"other case", "usedll=1\r\n", false, ""},
      {"carriage return inside the line", "UseDLL=1\rx\r\n", true, "1\rx"},
      {"lone carriage returns do not end lines", "A=0\rUseDLL=1\r\n", false, ""},
      {"NUL bytes pass through", "A=\0\nUseDLL=1\0x\n"s, true, "1\0x"s},
      {"very long lines", "A=" + longValue + "\nUseDLL=" + longValue, true, longValue},
  };
  for (const Case& c : cases) {
    HostSetting setting = findSetting(c.text, "UseDLL=");
    EXPECT_EQ(setting.found, c.found) << c.name;
    EXPECT_EQ(setting.value, c.value) << c.name;
  }
}

}  // namespace
}  // namespace sondrel
