#include "execution/batch_text.h"

namespace sondrel {
namespace {

enum CharClass {
  kPlain,          // letters, digits, any other single byte not listed here
  kBlank,          // " ": splits a tool's arguments and the call line's words
  kSeparator,      // , ; = : split the call line's words only
  kParenthesis,    // ( )
  kPercent,        // %
  kCaret,          // ^
  kRedirection,    // & | < >
  kQuote,          // "
  kControl,        // 0x00 to 0x1F (tab, CR and LF among them) and 0x7F
  kMultiByte,      // a character of two or more bytes
  kInvalid,        // bytes that are no character of the code page
  kClassCount
};

enum Action : char {
  C,  // copied
  D,  // doubled: "%%" or "^^"
  E,  // escaped with a caret before it
  R,  // refused: the whole field, and with it the render
  U,  // replaced by "_"
};

// Columns in the order of CharClass (mb: a character of several bytes). Why
// each cell holds what it holds:
// - % : where the field is used in its own line, "%%" reads back as "%". A
//   stored value comes back through a variable, and Wine's interpreter
//   expands "%" sequences inside a substituted value once more; the call line
//   expands everything twice. Neither has a safe form.
// - ^ & | < > : literal inside quotes. Outside quotes a caret escapes them, as
//   long as the text is parsed only once: a value stored and expanded outside
//   quotes, and a call word, reach the parser twice. `call` doubles carets,
//   inside quotes too.
// - blank , ; = ( ) : a blank splits a tool's arguments outside quotes (the
//   envelope and the parameters are meant to be split so); the call line
//   splits its words at all four separators.
// - " CR LF and other control characters end a quote or a line, or are read
//   differently by each interpreter: never safe in a field.
// - characters of several bytes are copied whole: the interpreter reads the
//   scripts in the code page they are written in (interpreter_code_page.h),
//   so a second byte "|" or "^" of a Japanese character stays part of it.
constexpr Action kTable[][kClassCount] = {
    //                       pln  blnk ,;=  ()   %    ^    &|<> "    ctrl mb   inv
    /* Comment */           {C,   C,   C,   C,   U,   U,   U,   U,   U,   C,   U},
    /* Word */              {C,   R,   C,   C,   D,   D,   E,   R,   R,   C,   R},
    /* Quoted */            {C,   C,   C,   C,   D,   C,   C,   R,   R,   C,   R},
    /* StoredQuotedUse */   {C,   C,   C,   C,   R,   D,   E,   R,   R,   C,   R},
    /* StoredCallUse */     {C,   C,   C,   C,   R,   R,   E,   R,   R,   C,   R},
    /* StoredUnquotedUse */ {C,   C,   C,   C,   R,   R,   R,   R,   R,   C,   R},
    /* StoredInQuotes */    {C,   C,   C,   C,   R,   C,   C,   R,   R,   C,   R},
    /* CallQuoted */        {C,   C,   C,   C,   R,   R,   C,   R,   R,   C,   R},
    /* CallWord */          {C,   R,   R,   R,   R,   R,   R,   R,   R,   C,   R},
};
static_assert(sizeof kTable / sizeof kTable[0] == static_cast<size_t>(BatchPlace::CallWord) + 1,
              "one row per place, in the order of BatchPlace");

// A tool reads backslashes right before a quote as escaping it, so a field
// that ends where a closing quote follows may not end in one, nor be empty
// right after one.
bool closingQuoteFollows(BatchPlace place) {
  return place == BatchPlace::Quoted || place == BatchPlace::StoredQuotedUse || place == BatchPlace::StoredInQuotes ||
         place == BatchPlace::CallQuoted;
}

// An empty word would shift every later argument of the tool.
bool isWord(BatchPlace place) { return place == BatchPlace::Word || place == BatchPlace::CallWord; }

CharClass classify(std::string_view character) {
  if (character.size() > 1) return kMultiByte;
  unsigned char byte = static_cast<unsigned char>(character[0]);
  if (byte < 0x20 || byte == 0x7F) return kControl;
  switch (byte) {
    case ' ': return kBlank;
    case ',': case ';': case '=': return kSeparator;
    case '(': case ')': return kParenthesis;
    case '%': return kPercent;
    case '^': return kCaret;
    case '&': case '|': case '<': case '>': return kRedirection;
    case '"': return kQuote;
    default: return kPlain;
  }
}

}  // namespace

bool appendBatchField(std::string& line, std::string_view text, BatchPlace place, CharacterLength characterLength,
                      std::string& refused) {
  if (isWord(place) && text.empty()) {
    refused.clear();
    return false;
  }
  // The template may put a backslash right before the field ("%oto%\{sample}"),
  // so an empty field counts with the line's last byte.
  const char last = !text.empty() ? text.back() : !line.empty() ? line.back() : '\0';
  if (closingQuoteFollows(place) && last == '\\') {
    refused = "\\";
    return false;
  }
  const Action* row = kTable[static_cast<int>(place)];
  std::string safe;
  safe.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    size_t length = characterLength(text, at);
    std::string_view character = text.substr(at, length ? length : 1);
    at += character.size();
    switch (row[length ? classify(character) : kInvalid]) {
      case C: safe += character; break;
      case D: safe += character; safe += character; break;
      case E: safe += '^'; safe += character; break;
      case U: safe += '_'; break;
      case R: refused = std::string(character); return false;
    }
  }
  line += safe;
  return true;
}

bool needsQuotes(std::string_view path, CharacterLength characterLength) {
  for (size_t at = 0; at < path.size();) {
    size_t length = characterLength(path, at);
    if (length != 1) {
      at += length ? length : 1;
      continue;
    }
    char c = path[at++];
    if (c == ' ' || c == '\t' || c == ',' || c == ';' || c == '=' || c == '&' || c == '|' || c == '<' || c == '>' ||
        c == '(' || c == ')' || c == '^' || c == '@')
      return true;
  }
  return false;
}

}  // namespace sondrel
