// Merging a plug-in's output (a modification file) into the plug-in file, the
// way the host editor applies it: changed keys of numbered sections land on
// the file's notes by position, [#INSERT] adds a note, [#DELETE] removes one,
// and a changed [#SETTING] updates the settings. The result is written back in
// normal form: keys sorted byte-wise, lines without "=" dropped, the note
// sections renumbered from the first one's number.
#pragma once

#include <list>
#include <string>
#include <string_view>

#include "base/section_text.h"

namespace sondrel {

using MergeSection = base::Section;

// Sections are inserted and removed in the middle while a cursor stays on
// its section, which a list allows without moving the others.
using MergeDocument = std::list<MergeSection>;

MergeDocument parseMergeDocument(std::string_view bytes);
// Each line ends with CR LF, as a text-mode write of the document gives.
std::string formatMergeDocument(const MergeDocument& document);

// Empty when the file cannot be read.
MergeDocument readMergeDocument(const std::wstring& path);
void applyModification(MergeDocument& plugin, const MergeDocument& modification);
void renumberSections(MergeDocument& document);
// Replaces the file's content only once the new content is complete on disk.
// False when the file could not be replaced; it then keeps its old content.
bool writeMergeDocument(const std::wstring& path, const MergeDocument& document);

// Reads both files, merges, renumbers and writes the plug-in file. An
// unreadable file merges as an empty document, and a failed write leaves the
// plug-in file as it was.
void mergeModification(const std::wstring& pluginFilePath, const std::wstring& modificationPath);

}  // namespace sondrel
