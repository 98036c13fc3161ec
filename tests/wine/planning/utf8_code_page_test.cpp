// The UTF-8 code page (65001), which Windows offers as the ANSI code page
// ("Beta: use Unicode UTF-8") and Wine does not: with ACP=65001 in its
// registry, GetACP stays 1252. The conversions take the code page as a
// parameter, so they run here with 65001. Wine also accepts flags that
// Windows refuses for 65001 (every conversion would fail there), so only a
// check of the flags themselves catches a wrong one.
#include <gtest/gtest.h>

#include <windows.h>

#include "base/code_page_text.h"
#include "execution/batch_text.h"
#include "planning/tool_parameters.h"

namespace {

size_t utf8Length(std::string_view text, size_t at) { return base::codePageCharacterLength(CP_UTF8, text, at); }

TEST(Utf8CodePage, ConversionsPassTheFlagsTheCodePageTakes) {
  EXPECT_EQ(base::exactConversionFlags(CP_UTF8), static_cast<unsigned long>(WC_ERR_INVALID_CHARS));
  EXPECT_EQ(base::exactConversionFlags(932), static_cast<unsigned long>(WC_NO_BEST_FIT_CHARS));
}

TEST(Utf8CodePage, PathsConvertExactlyAndALoneSurrogateIsNamed) {
  const struct { const wchar_t* path; const char* utf8; wchar_t missing; } cases[] = {
      {L"C:\\J\x00fcrgen \x00df \x00e9\\\x30dd\x30bf\\a.wav",
       "C:\\J\xC3\xBCrgen \xC3\x9F \xC3\xA9\\\xE3\x83\x9D\xE3\x82\xBF\\a.wav", 0},
      {L"C:\\\xD83C\xDFB5.wav", "C:\\\xF0\x9F\x8E\xB5.wav", 0},  // a pair of surrogates: one character
      {L"C:\\x\xD800y.wav", nullptr, 0xD800},
  };
  for (const auto& c : cases) {
    std::string narrow = "sentinel";
    wchar_t missing = 0;
    const std::string expected = c.utf8 ? c.utf8 : "";
    EXPECT_EQ(base::toCodePagePath(CP_UTF8, c.path, narrow, missing), c.utf8 != nullptr) << expected;
    EXPECT_EQ(narrow, expected);
    EXPECT_EQ(missing, c.missing) << expected;
  }
}

TEST(Utf8CodePage, CharactersRefusalsAndCacheNames) {
  const struct { const char* text; size_t length; } lengths[] = {
      {"\xE3\x83\x9D", 3}, {"\xF0\x9F\x8E\xB5", 4}, {"\xC3\xBC", 2}, {"a", 1},
      {"\xE3\x83", 0},      // cut short
      {"\xC0\xAF", 0},      // "/" in an overlong form
      {"\xED\xA0\x80", 0},  // a surrogate
      {"\x80", 0},
  };
  for (const auto& c : lengths) EXPECT_EQ(utf8Length(c.text, 0), c.length) << c.text;

  const struct { const char* text; sondrel::BatchPlace place; const char* written; const char* refused; } fields[] = {
      {"\xE3\x83\x9D&\xE3\x82\xBF", sondrel::BatchPlace::Word, "\xE3\x83\x9D^&\xE3\x82\xBF", ""},
      {"J\xC3\xBCrgen \xC3\x9F", sondrel::BatchPlace::StoredCallUse, "J\xC3\xBCrgen \xC3\x9F", ""},
      {"a\xC0\xAF", sondrel::BatchPlace::Quoted, nullptr, "\xC0"},
  };
  for (const auto& c : fields) {
    std::string line, refused;
    EXPECT_EQ(sondrel::appendBatchField(line, c.text, c.place, utf8Length, refused), c.written != nullptr) << c.text;
    EXPECT_EQ(line, c.written ? c.written : "") << c.text;
    EXPECT_EQ(refused, c.refused) << c.text;
  }

  EXPECT_EQ(sondrel::flatFileName("0_/../\xE3\x83\x9D:\xC0\xAF_C4_550.wav", utf8Length),
            "0__.._\xE3\x83\x9D____C4_550.wav");
}

}  // namespace
