#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// The one place where the programs convert text between encodings, through
// the system: UTF-8, UTF-16, and the system's ANSI code page that the stored
// forms of the list and the picture's password use.
enum class TextEncoding { Ansi, Utf8 };

// Converted in full; invalid input converts as the system does.
std::u16string utf16From(TextEncoding from, std::string_view text);

// Characters that `to` lacks become its default character, and set
// `*replaced` (UTF-8 lacks none).
std::string textFrom(std::u16string_view wide, TextEncoding to, bool* replaced = nullptr);

// Through UTF-16; the UTF-16 copy is wiped before it goes, so a password can
// be converted too (the caller wipes what it is given back).
std::string convertText(TextEncoding from, TextEncoding to, std::string_view text, bool* replaced = nullptr);

// A password for the forms keyed with its code-page bytes, from its UTF-8
// into `legacy`, whose earlier characters are wiped. False when a character
// has no place in the code page: `legacy` is then left empty, rather than
// keyed with the code page's "?" for it. The UTF-16 copy is wiped.
[[nodiscard]] bool codePagePassword(std::string_view utf8, std::string& legacy);

}  // namespace tessaly
