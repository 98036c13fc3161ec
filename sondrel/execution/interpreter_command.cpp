#include "execution/interpreter_command.h"

namespace sondrel {
namespace {

std::string quotedIfNeeded(std::string_view path, CharacterLength characterLength) {
  return needsQuotes(path, characterLength) ? "\"" + std::string(path) + "\"" : std::string(path);
}

}  // namespace

std::string interpreterCommandLine(std::string_view chcp, unsigned codePage, std::string_view script,
                                   CharacterLength characterLength) {
  return "cmd.exe /d /v:off /s /c \"" + quotedIfNeeded(chcp, characterLength) + " " + std::to_string(codePage) +
         " >nul & " + quotedIfNeeded(script, characterLength) + "\"";
}

std::string probeVariable(size_t number) { return "sondrel_probe" + std::to_string(number); }

std::string probeScriptText(const std::vector<std::string>& encoded) {
  std::string text;
  for (size_t i = 0; i < encoded.size(); ++i)
    text += "@if not \"%" + probeVariable(i + 1) + "%\"==\"" + encoded[i] + "\" exit 1\r\n";
  return text + "@exit 0\r\n";
}

}  // namespace sondrel
