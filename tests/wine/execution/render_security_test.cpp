// Plug-in files that try to make the scripts run a command (each payload
// creates pwned.txt in the work directory if it runs), in code page 932;
// legitimate names that must still render are the pre-pass test's song.
#include "render_host.h"

namespace {

std::string note(const std::string& extra) { return "[#0000]\r\nLength=480\r\nLyric=a\r\nNoteNum=60\r\n" + extra; }

// The escaping rules themselves are checked by the round-trip test; here a
// whole render refuses a field before any script exists, and the message
// names the field, the note and the character in the user's language.
TEST(ScriptSecurity, RefusedFieldIsNamedInTheFailureMessage) {
  const struct { const char* name; std::string notes, setting; std::wstring cause; } cases[] = {
      {"quote in flags", note("Flags=g\" & echo>pwned.txt & \"\r\n"), "",
       L"ノート 1 (a): フラグに含まれる文字「\"」は、ツールに安全に渡せません。"},
      {"variable in wavtool path", note(""), "Tool1=%COMSPEC%\r\n",
       L"wavtool のパスに含まれる文字「%」は、ツールに安全に渡せません。"},
  };
  for (const auto& c : cases) {
    RenderHost host(L"execution_security_payload", false);
    host.writePlugin(c.notes, c.setting);
    RunResult result = host.run(L"/noplay");
    EXPECT_EQ(result.exitCode, 13u) << c.name;
    EXPECT_EQ(result.message, L"レンダリング中にエラーが発生しました\n" + c.cause) << c.name;
    EXPECT_FALSE(host.has(L"pwned.txt") || host.has(L"plugin_temp.bat")) << c.name;
  }
}

}  // namespace
