#pragma once

#include <string>
#include <string_view>

#include "platform/stored_text_codec.h"

namespace tessaly {

// The program's text in Latin-1, as before Windows 10: UTF-8 to Latin-1
// and back, as the platform's conversions would for the Western code page;
// '?' for what Latin-1 cannot hold. The legacy code page is the program's.
inline StoredTextCodec latin1ProgramCodec()
{
    StoredTextCodec codec;
    codec.fromUtf8 = [](std::string_view utf8, bool& replaced) {
        std::string out;
        for (size_t i = 0; i < utf8.size(); ++i) {
            const auto c = static_cast<unsigned char>(utf8[i]);
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else if ((c & 0xE0) == 0xC0 && c <= 0xC3) {
                out += static_cast<char>((c & 0x1F) << 6 | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
            } else {
                out += '?';
                replaced = true;
                while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80) ++i;
            }
        }
        return out;
    };
    codec.toUtf8 = [](std::string_view ansi) {
        std::string out;
        for (char ch : ansi) {
            const auto c = static_cast<unsigned char>(ch);
            if (c < 0x80) {
                out += ch;
            } else {
                out += static_cast<char>(0xC0 | c >> 6);
                out += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return out;
    };
    // The BMP and surrogate pairs, as the system converts them.
    codec.fromUtf16 = [](std::u16string_view units) {
        std::string out;
        for (size_t i = 0; i < units.size(); ++i) {
            char32_t code = units[i];
            if (code >= 0xD800 && code <= 0xDBFF && i + 1 < units.size()) {
                code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
            }
            const int more = code < 0x80 ? 0 : code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
            constexpr unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
            out += static_cast<char>(kLead[more] | (code >> (6 * more)));
            for (int k = more - 1; k >= 0; --k) out += static_cast<char>(0x80 | ((code >> (6 * k)) & 0x3F));
        }
        return out;
    };
    // The program's text is the PC's code page, as before Windows 10.
    codec.fromLegacy = [](std::string_view text) { return std::string(text); };
    codec.toLegacy = [](std::string_view text, bool&) { return std::string(text); };
    return codec;
}

// The program's text in UTF-8 and the legacy code page Latin-1, as under
// the manifest's UTF-8 code page on a Western PC.
inline StoredTextCodec utf8ProgramCodec()
{
    const StoredTextCodec latin1 = latin1ProgramCodec();
    StoredTextCodec codec;
    codec.fromUtf8 = [](std::string_view text, bool&) { return std::string(text); };
    codec.toUtf8 = [](std::string_view text) { return std::string(text); };
    codec.fromUtf16 = latin1.fromUtf16;
    codec.fromLegacy = latin1.toUtf8;
    codec.toLegacy = latin1.fromUtf8;
    return codec;
}

}  // namespace tessaly
