#include "platform/utf8_text.h"

#include <cstdint>

namespace tessaly {

bool isValidUtf8(std::string_view bytes)
{
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<uint8_t>(bytes[i]);
        size_t more = 0;
        uint32_t value = 0, least = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            more = 1, value = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            more = 2, value = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            more = 3, value = lead & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (bytes.size() - i <= more) return false;
        for (size_t k = 1; k <= more; ++k) {
            const auto next = static_cast<uint8_t>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            value = value << 6 | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are no UTF-8.
        if (value < least || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return false;
        i += more + 1;
    }
    return true;
}

char32_t characterAt(std::string_view text, size_t& at, bool utf8)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (!utf8 || lead < 0x80) {
        ++at;
        return lead;
    }
    const size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) c = c << 6 | (static_cast<unsigned char>(text[at + k]) & 0x3F);
    at += length;
    return c;
}

std::u32string charactersOf(std::string_view text)
{
    const bool utf8 = isValidUtf8(text);
    std::u32string characters;
    characters.reserve(text.size());
    for (size_t at = 0; at < text.size();) characters.push_back(characterAt(text, at, utf8));
    return characters;
}

char32_t smallLetter(char32_t c)
{
    const auto pairedFrom = [c](char32_t first, char32_t last) {
        // Capital and small letter side by side, the capital first.
        return c >= first && c <= last && (c - first) % 2 == 0;
    };
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c < 0xC0) return c;
    if (c <= 0xDE) return c == 0xD7 ? c : c + 0x20;
    if (pairedFrom(0x100, 0x137) || pairedFrom(0x14A, 0x177)) return c + 1;
    if (pairedFrom(0x139, 0x148) || pairedFrom(0x179, 0x17E)) return c + 1;
    if (c == 0x178) return 0xFF;
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;  // Greek
    if (c == 0x3C2) return 0x3C3;                                 // final sigma
    if (c == 0x386) return 0x3AC;
    if (c >= 0x388 && c <= 0x38A) return c + 0x25;
    if (c == 0x38C) return 0x3CC;
    if (c == 0x38E || c == 0x38F) return c + 0x3F;
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;  // Cyrillic
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (pairedFrom(0x460, 0x481) || pairedFrom(0x48A, 0x4BF) || pairedFrom(0x4D0, 0x52F)) return c + 1;
    return c;
}

bool isAlphanumeric(char32_t c)
{
    if ((c >= '0' && c <= '9') || smallLetter(c) != c) return true;
    // Small letters without a capital beside them above.
    return (c >= 'a' && c <= 'z') || (c >= 0xDF && c <= 0xFF && c != 0xF7) || (c >= 0x101 && c <= 0x17F) ||
           (c >= 0x3AC && c <= 0x3CE) || (c >= 0x430 && c <= 0x45F);
}

bool isAscii(std::string_view bytes)
{
    for (char c : bytes) {
        if (static_cast<uint8_t>(c) >= 0x80) return false;
    }
    return true;
}

}  // namespace tessaly
