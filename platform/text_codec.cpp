#include "platform/text_codec.h"

#include <windows.h>

#include "platform/secure_wipe.h"
#include "platform/utf8_text.h"

namespace tessaly {

namespace {

UINT codePageOf(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Ansi:
        return activeCodePage();
    case TextEncoding::Legacy:
        return legacyCodePage();
    case TextEncoding::Utf8:
        break;
    }
    return CP_UTF8;
}

}  // namespace

unsigned activeCodePage()
{
    return GetACP();
}

unsigned legacyCodePage()
{
    // GetACP answers 65001 under the manifest's setting; the system locale
    // still names the code page the PC used before.
    static const UINT codePage = [] {
        DWORD number = 0;
        const int read = GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                                        reinterpret_cast<LPWSTR>(&number), sizeof number / sizeof(wchar_t));
        // Locales with no ANSI code page of their own (Hindi, Georgian)
        // answer 0: they have only Unicode, so their stored text is UTF-8.
        return read > 0 && number != 0 ? static_cast<UINT>(number) : static_cast<UINT>(CP_UTF8);
    }();
    return codePage;
}

std::u16string utf16From(TextEncoding from, std::string_view text)
{
    if (text.empty()) return {};
    const UINT codePage = codePageOf(from);
    const int size = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::u16string wide(static_cast<size_t>(units > 0 ? units : 0), u'\0');
    if (units > 0) {
        MultiByteToWideChar(codePage, 0, text.data(), size, reinterpret_cast<wchar_t*>(&wide[0]), units);
    }
    return wide;
}

std::string textFrom(std::u16string_view wide, TextEncoding to, bool* replaced)
{
    if (wide.empty()) return {};
    const UINT codePage = codePageOf(to);
    const auto* units = reinterpret_cast<const wchar_t*>(wide.data());
    const int count = static_cast<int>(wide.size());
    // UTF-8 takes neither a default character nor the flag.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* defaulted = utf8 ? nullptr : &usedDefault;
    const int bytes = WideCharToMultiByte(codePage, flags, units, count, nullptr, 0, nullptr, defaulted);
    std::string narrow(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) WideCharToMultiByte(codePage, flags, units, count, &narrow[0], bytes, nullptr, defaulted);
    if (replaced && usedDefault) *replaced = true;
    return narrow;
}

std::string convertText(TextEncoding from, TextEncoding to, std::string_view text, bool* replaced)
{
    // Every code page the programs meet spells ASCII as UTF-8 does, and
    // one code page under two names needs no conversion.
    if (codePageOf(from) == codePageOf(to) || isAscii(text)) return std::string(text);
    std::u16string wide = utf16From(from, text);
    std::string converted = textFrom(wide, to, replaced);
    if (!wide.empty()) secureWipe(&wide[0], wide.size() * sizeof(char16_t));
    return converted;
}

bool codePagePassword(std::string_view utf8, std::string& legacy)
{
    wipeString(legacy);
    bool replaced = false;
    std::string converted = convertText(TextEncoding::Utf8, TextEncoding::Legacy, utf8, &replaced);
    if (!replaced) legacy.assign(converted);
    wipeString(converted);
    return !replaced;
}

namespace {

StoredTextCodec::Narrowing narrowing(TextEncoding from, TextEncoding to)
{
    return [from, to](std::string_view text, bool& replaced) { return convertText(from, to, text, &replaced); };
}

StoredTextCodec::Widening widening(TextEncoding from, TextEncoding to)
{
    return [from, to](std::string_view text) { return convertText(from, to, text); };
}

}  // namespace

StoredTextCodec systemTextCodec()
{
    StoredTextCodec codec;
    codec.fromUtf8 = narrowing(TextEncoding::Utf8, TextEncoding::Ansi);
    codec.toUtf8 = widening(TextEncoding::Ansi, TextEncoding::Utf8);
    codec.fromUtf16 = [](std::u16string_view utf16) { return textFrom(utf16, TextEncoding::Utf8); };
    codec.fromLegacy = widening(TextEncoding::Legacy, TextEncoding::Ansi);
    codec.toLegacy = narrowing(TextEncoding::Ansi, TextEncoding::Legacy);
    return codec;
}

}  // namespace tessaly
