// The plug-in file as quillet keeps it: its sections in file order, each a
// table of key/value pairs whose entries carry a change mark. Text stays in
// the bytes of the file's own code page; nothing is converted. The written
// form holds only the numbered note sections and, in them, only the changed
// entries: the plug-in output the host editor applies, which is also what
// sondrel merges for a preview.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/section_text.h"

namespace quillet {

struct SectionEntry {
  std::string value;
  bool changed = false;
};

// Keys in byte-wise order (std::string compares as unsigned bytes). The
// section's name is the entry "[]", the header line without its first and
// last byte; it is never marked changed, and lines before the first header
// form a section without one.
using DocumentSection = std::map<std::string, SectionEntry, std::less<>>;

struct ProjectDocument {
  std::vector<DocumentSection> sections;
};

using base::SectionKind;

// Replaces the document by the sections of the file's bytes.
void parseDocument(std::string_view bytes, ProjectDocument& document);
// The output form: note sections with their changed entries, CR LF line ends.
std::string formatDocument(const ProjectDocument& document);

// Reads the file into the document and returns its bytes; an unreadable file
// gives an empty document and no bytes.
std::string load(ProjectDocument& document, const std::wstring& path);
// Writes the output form beside the file and replaces it when complete, so
// that a failed write leaves the old file whole; where that cannot be had
// (base/file_access.h), into the file itself. False when both failed.
bool save(const ProjectDocument& document, const std::wstring& path);

// The kind of the header "[<name>]" (base/section_text.h); Other without a
// name. Only note sections are ever changed or written.
SectionKind sectionKind(const DocumentSection& section);
// A "Lyric" of exactly "R" or "r".
bool isRest(const DocumentSection& section);
// "NoteNum" read like atoi (saturating at the 32-bit range); -1 without one.
int32_t noteNumber(const DocumentSection& section);
const SectionEntry* findValue(const DocumentSection& section, std::string_view key);
// Creates or overwrites the entry and marks it changed.
void setValue(DocumentSection& section, const std::string& key, const std::string& value);

}  // namespace quillet
