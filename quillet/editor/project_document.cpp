#include "editor/project_document.h"

#include "base/file_access.h"
#include "base/number_text.h"
#include "base/text_lines.h"

namespace quillet {
namespace {

constexpr char kNameKey[] = "[]";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void parseDocument(std::string_view bytes, ProjectDocument& document) {
  document.sections.clear();
  DocumentSection current;
  base::forEachLine(bytes, [&](std::string_view line) {
    if (!line.empty() && line[0] == '[') {
      if (!current.empty()) document.sections.push_back(std::move(current));
      current.clear();
      // The last byte goes whatever it is: a header without its closing
      // bracket loses a character of its name, as the host editor's own
      // readers do. A lone "[" gives an empty name.
      std::string_view name = line.size() >= 2 ? line.substr(1, line.size() - 2) : std::string_view();
      current[kNameKey].value = std::string(name);
      return;
    }
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) return;
    current[std::string(line.substr(0, equals))] = SectionEntry{std::string(line.substr(equals + 1)), false};
  });
  if (!current.empty()) document.sections.push_back(std::move(current));
}

std::string formatDocument(const ProjectDocument& document) {
  std::string text;
  for (const DocumentSection& section : document.sections) {
    if (sectionKind(section) != SectionKind::NoteSection) continue;
    // Every note keeps its header, changed or not: the merge pairs output
    // sections with the song's notes by position.
    text += "[" + findValue(section, kNameKey)->value + "]\r\n";
    for (const auto& [key, entry] : section)
      if (entry.changed) text += key + "=" + entry.value + "\r\n";
  }
  return text;
}

std::string load(ProjectDocument& document, const std::wstring& path) {
  std::string bytes;
  if (!base::readFileBytes(path, bytes)) bytes.clear();
  parseDocument(bytes, document);
  return bytes;
}

bool save(const ProjectDocument& document, const std::wstring& path) {
  std::string output = formatDocument(document);
  return base::replaceFileContent(path, output) || base::overwriteFileContent(path, output);
}

SectionKind sectionKind(const DocumentSection& section) {
  const SectionEntry* name = findValue(section, kNameKey);
  if (!name) return SectionKind::Other;
  const std::string& text = name->value;
  if (text.size() >= 2 && text[0] == '#' && isDigit(text[1])) return SectionKind::NoteSection;
  if (text == "#SETTING") return SectionKind::Setting;
  if (text == "#PREV") return SectionKind::Previous;
  if (text == "#NEXT") return SectionKind::Next;
  if (text == "#TRACKEND") return SectionKind::TrackEnd;
  return SectionKind::Other;
}

bool isRest(const DocumentSection& section) {
  const SectionEntry* lyric = findValue(section, "Lyric");
  return lyric && (lyric->value == "R" || lyric->value == "r");
}

int32_t noteNumber(const DocumentSection& section) {
  const SectionEntry* note = findValue(section, "NoteNum");
  return note ? base::readInt(note->value) : -1;
}

const SectionEntry* findValue(const DocumentSection& section, std::string_view key) {
  auto found = section.find(key);
  return found == section.end() ? nullptr : &found->second;
}

void setValue(DocumentSection& section, const std::string& key, const std::string& value) {
  section[key] = SectionEntry{value, true};
}

}  // namespace quillet
