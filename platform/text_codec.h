#pragma once

#include <string>
#include <string_view>

#include "platform/stored_text_codec.h"

namespace tessaly {

// The one place where the programs convert text between encodings, through
// the system: UTF-8, UTF-16, the active code page that every "A" call of the
// programs speaks (UTF-8 where the manifest's setting is honoured, Windows 10
// version 1903 and later; the system's ANSI code page before), and the
// legacy code page, the system locale's ANSI code page, which the stored
// forms defined in a code page use (the plain list file, the first protected
// list files, the encrypted picture's password, older language files).
enum class TextEncoding { Ansi, Legacy, Utf8 };

// The code page the programs' text is in, and the legacy one.
unsigned activeCodePage();
unsigned legacyCodePage();

// Converted in full; invalid input converts as the system does.
std::u16string utf16From(TextEncoding from, std::string_view text);

// Characters that `to` lacks become its default character, and set
// `*replaced` (UTF-8 lacks none).
std::string textFrom(std::u16string_view wide, TextEncoding to, bool* replaced = nullptr);

// Through UTF-16, unless the text is ASCII or both encodings are one code
// page: the bytes then stay as they are. The UTF-16 copy is wiped before it
// goes, so a password can be converted too (the caller wipes what it is
// given back).
std::string convertText(TextEncoding from, TextEncoding to, std::string_view text, bool* replaced = nullptr);

// A password for the forms keyed with its legacy code-page bytes, from its
// UTF-8 into `legacy`, whose earlier characters are wiped. False when a
// character has no place in the code page: `legacy` is then left empty,
// rather than keyed with the code page's "?" for it. The UTF-16 copy is
// wiped.
[[nodiscard]] bool codePagePassword(std::string_view utf8, std::string& legacy);

// The programs' text, UTF-8, UTF-16 and the legacy code page, converted by
// the platform. Characters a code page lacks become its default character,
// and say so. Where two encodings are one (the programs' text is UTF-8, or
// is the legacy code page), the bytes stay as they are.
StoredTextCodec systemTextCodec();

}  // namespace tessaly
