#include "project/merge.h"

#include <cstdint>

#include "base/file_access.h"
#include "base/number_text.h"
#include "base/text_lines.h"

namespace sondrel {
namespace {

bool isSpecial(const std::string& header) {
  return header == "[#PREV]" || header == "[#NEXT]" || header == "[#SETTING]" || header == "[#TRACKEND]";
}

bool isNoteHeader(const std::string& header) {
  return header.size() >= 3 && header[0] == '[' && header[1] == '#' && header[2] >= '0' && header[2] <= '9';
}

// An output cannot clear a key: empty values are not copied.
void copyChangedKeys(const MergeSection& from, MergeSection& to) {
  for (const auto& [key, value] : from.keys) {
    if (!value.empty()) to.keys[key] = value;
  }
}

template <typename Iterator>
Iterator skipSpecial(Iterator at, Iterator end) {
  while (at != end && isSpecial(at->header)) ++at;
  return at;
}

}  // namespace

MergeDocument parseMergeDocument(std::string_view bytes) {
  MergeDocument document;
  MergeSection current;
  bool hasContent = false;
  base::forEachLine(bytes, [&](std::string_view line) {
    if (!line.empty() && line[0] == '[') {
      if (hasContent) {
        document.push_back(std::move(current));
        current = MergeSection();
      }
      current.header = std::string(line);
      hasContent = true;
      return;
    }
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) return;
    current.keys[std::string(line.substr(0, equals))] = std::string(line.substr(equals + 1));
    hasContent = true;
  });
  if (hasContent) document.push_back(std::move(current));
  return document;
}

std::string formatMergeDocument(const MergeDocument& document) {
  std::string text;
  for (const MergeSection& section : document) {
    text += section.header;
    text += "\r\n";
    for (const auto& [key, value] : section.keys) {
      text += key;
      text += '=';
      text += value;
      text += "\r\n";
    }
  }
  return text;
}

MergeDocument readMergeDocument(const std::wstring& path) {
  std::string bytes;
  if (!base::readFileBytes(path, bytes)) return MergeDocument();
  return parseMergeDocument(bytes);
}

// Sections of the output meet the file's sections by position: the n-th
// changed note of the output lands on the n-th remaining note of the file,
// whatever number its header carries.
void applyModification(MergeDocument& plugin, const MergeDocument& modification) {
  auto a = plugin.begin();
  auto b = modification.begin();
  if (!plugin.empty() && !modification.empty() && a->header == "[#SETTING]" && b->header == "[#SETTING]") {
    copyChangedKeys(*b, *a);
    ++a;
    ++b;
  }
  a = skipSpecial(a, plugin.end());
  b = skipSpecial(b, modification.end());
  for (; b != modification.end(); ++b) {
    const std::string& header = b->header;
    if (header == "[#DELETE]") {
      if (a != plugin.end() && isNoteHeader(a->header)) a = plugin.erase(a);
    } else if (header == "[#INSERT]") {
      plugin.insert(a, *b);
    } else if (isSpecial(header)) {
      continue;
    } else if (isNoteHeader(header)) {
      if (a == plugin.end()) continue;
      copyChangedKeys(*b, *a);
      ++a;
    }
  }
}

// Numbers are counted in 64 bits: a first section numbered 2147483647 is
// followed by 2147483648, where a 32-bit count would overflow.
void renumberSections(MergeDocument& document) {
  bool first = true;
  int64_t number = 0;
  for (MergeSection& section : document) {
    if (isSpecial(section.header)) continue;
    if (first) {
      number = section.header.size() > 2 ? base::readInt(std::string_view(section.header).substr(2)) : 0;
      first = false;
    } else {
      ++number;
    }
    section.header = base::formatText("[#%04lld]", static_cast<long long>(number));
  }
}

bool writeMergeDocument(const std::wstring& path, const MergeDocument& document) {
  return base::replaceFileContent(path, formatMergeDocument(document));
}

int mergeModification(const std::wstring& pluginFilePath, const std::wstring& modificationPath) {
  MergeDocument plugin = readMergeDocument(pluginFilePath);
  MergeDocument modification = readMergeDocument(modificationPath);
  applyModification(plugin, modification);
  renumberSections(plugin);
  writeMergeDocument(pluginFilePath, plugin);
  return 0;
}

}  // namespace sondrel
