// Conversions between UTF-16 and one given code page, for the Win32 files:
// the ANSI code page of the system (ansi_text.h, ansi_code_page.h), or the
// code page in which the command interpreter reads the scripts. Taking the
// code page as a parameter lets a test show the conversions of a code page
// the test machine does not run in, such as UTF-8 (65001), which Windows
// offers as the ANSI code page ("Beta: Unicode UTF-8") and Wine does not.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

// The flags WideCharToMultiByte takes for a conversion that must not put
// look-alikes in place of missing characters. UTF-8 and GB18030 accept only 0
// or WC_ERR_INVALID_CHARS (and no default character), where every other
// code page an ANSI code page can be takes WC_NO_BEST_FIT_CHARS; with the
// wrong flags the conversion fails for every text.
unsigned long exactConversionFlags(unsigned codePage);

// The text in the code page, converted back to the same UTF-16 (the round
// trip is the check for lost characters, valid for every code page); false,
// with `missing` set to the first character that has no form there, when
// there is none. A pair of surrogates counts as one character.
bool toCodePageExact(unsigned codePage, std::wstring_view wide, std::string& narrow, wchar_t& missing);

// A path in the code page that names the same file: its exact form, or where
// it has a character without one, the short (8.3) form of the path or of its
// directory followed by the file name. False, with `missing` set, when no
// exact form exists.
bool toCodePagePath(unsigned codePage, const std::wstring& path, std::string& narrow, wchar_t& missing);

std::wstring fromCodePage(unsigned codePage, std::string_view narrow);

// base::CharacterLength in the code page.
size_t codePageCharacterLength(unsigned codePage, std::string_view text, size_t at);

}  // namespace base
