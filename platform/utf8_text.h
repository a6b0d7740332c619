#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaly {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, surrogates or values past U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// The character that begins at `at`, which moves past it: a UTF-8 sequence
// when `utf8` (the text being valid UTF-8), else one byte as the Western code
// page's letter (which from 0xC0 on are Latin-1's).
char32_t characterAt(std::string_view text, size_t& at, bool utf8);

// Every character of the text: UTF-8 when it is valid UTF-8, else a byte
// each (a Western code page's text, as earlier versions kept it).
std::u32string charactersOf(std::string_view text);

// The small letter of a capital in the scripts lists are mostly written in:
// Latin (with Latin-1 and Latin Extended-A), Greek and Cyrillic. Scripts
// without case, and rarer capitals, stand as they are.
char32_t smallLetter(char32_t c);

// A digit, or a letter of those scripts.
bool isAlphanumeric(char32_t c);

// Bytes below 0x80 only: the same text in UTF-8 and every Windows ANSI code
// page.
bool isAscii(std::string_view bytes);

}  // namespace tessaly
