#include "model/project_document.h"

#include "base/file_access.h"
#include "base/number_text.h"

namespace quillet {
namespace {

constexpr char kNameKey[] = "[]";

}  // namespace

void parseDocument(std::string_view bytes, ProjectDocument& document) {
  document.sections.clear();
  for (base::Section& read : base::readSections(bytes)) {
    DocumentSection section;
    // The last byte goes whatever it is: a header without its closing
    // bracket loses a character of its name, as the host editor's own
    // readers do. A lone "[" gives an empty name.
    const std::string& header = read.header;
    if (!header.empty()) section[kNameKey].value = header.size() >= 2 ? header.substr(1, header.size() - 2) : "";
    for (auto& [key, value] : read.keys) section[key] = SectionEntry{std::move(value), false};
    document.sections.push_back(std::move(section));
  }
}

std::string formatDocument(const ProjectDocument& document) {
  std::string text;
  for (const DocumentSection& section : document.sections) {
    if (sectionKind(section) != SectionKind::Note) continue;
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
  return name ? base::sectionKind("[" + name->value + "]") : SectionKind::Other;
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
