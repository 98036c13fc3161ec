#include "execution/batch_text.h"

namespace sondrel {
namespace {

bool isRedirection(char c) { return c == '&' || c == '|' || c == '<' || c == '>'; }

bool isSeparator(char c) {
  return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '=';
}

// Appends the safe form of one single-byte character; false when it has none.
bool appendChar(std::string& out, char c, BatchPlace place) {
  if (static_cast<unsigned char>(c) < 0x20 && c != '\t') return false;
  const bool direct = place == BatchPlace::Comment || place == BatchPlace::Word || place == BatchPlace::Quoted;
  const bool insideQuotes = place == BatchPlace::Quoted || place == BatchPlace::StoredInQuotes ||
                            place == BatchPlace::CallQuoted;
  switch (c) {
    case '"':
      if (place != BatchPlace::Comment) return false;
      out += "^\"";
      return true;
    case '%':
      if (!direct) return false;
      out += "%%";
      return true;
    case '^':
      if (place == BatchPlace::Quoted || place == BatchPlace::StoredInQuotes) break;
      if (place != BatchPlace::Comment && place != BatchPlace::Word && place != BatchPlace::StoredQuotedUse)
        return false;
      out += '^';
      break;
    default:
      if (isRedirection(c)) {
        if (insideQuotes) break;
        if (place == BatchPlace::StoredUnquotedUse || place == BatchPlace::CallWord) return false;
        out += '^';
        break;
      }
      if (place == BatchPlace::CallWord && (isSeparator(c) || c == '(' || c == ')')) return false;
      break;
  }
  out += c;
  return true;
}

}  // namespace

bool appendBatchField(std::string& line, std::string_view text, BatchPlace place,
                      LeadBytePredicate isLeadByte) {
  std::string safe;
  safe.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char byte = static_cast<unsigned char>(text[i]);
    if (isLeadByte(byte)) {
      if (i + 1 >= text.size() || static_cast<unsigned char>(text[i + 1]) < 0x40) return false;
      safe.append(text.substr(i, 2));
      ++i;
      continue;
    }
    if (!appendChar(safe, text[i], place)) return false;
  }
  line += safe;
  return true;
}

bool needsQuotes(std::string_view path, LeadBytePredicate isLeadByte) {
  for (size_t i = 0; i < path.size(); ++i) {
    char c = path[i];
    if (isLeadByte(static_cast<unsigned char>(c))) {
      ++i;
      continue;
    }
    if (isSeparator(c) || isRedirection(c) || c == '(' || c == ')' || c == '^' || c == '@') return true;
  }
  return false;
}

}  // namespace sondrel
