#include "project/merge.h"

#include <cstdint>
#include <iterator>
#include <vector>

#include "base/file_access.h"
#include "base/number_text.h"

namespace sondrel {
namespace {

bool isSpecial(const std::string& header) { return base::isSpecialSection(base::sectionKind(header)); }

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
  std::vector<MergeSection> sections = base::readSections(bytes);
  return MergeDocument(std::make_move_iterator(sections.begin()), std::make_move_iterator(sections.end()));
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
  if (!plugin.empty() && !modification.empty() && base::sectionKind(a->header) == base::SectionKind::Setting &&
      base::sectionKind(b->header) == base::SectionKind::Setting) {
    copyChangedKeys(*b, *a);
    ++a;
    ++b;
  }
  a = skipSpecial(a, plugin.end());
  b = skipSpecial(b, modification.end());
  for (; b != modification.end(); ++b) {
    switch (base::sectionKind(b->header)) {
      case base::SectionKind::Delete:
        if (a != plugin.end() && base::sectionKind(a->header) == base::SectionKind::Note) a = plugin.erase(a);
        break;
      case base::SectionKind::Insert:
        plugin.insert(a, *b);
        break;
      case base::SectionKind::Note:
        if (a == plugin.end()) break;
        copyChangedKeys(*b, *a);
        ++a;
        break;
      default:
        break;
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

void mergeModification(const std::wstring& pluginFilePath, const std::wstring& modificationPath) {
  MergeDocument plugin = readMergeDocument(pluginFilePath);
  MergeDocument modification = readMergeDocument(modificationPath);
  applyModification(plugin, modification);
  renumberSections(plugin);
  writeMergeDocument(pluginFilePath, plugin);
}

}  // namespace sondrel
