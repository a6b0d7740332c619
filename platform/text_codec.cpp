#include "platform/text_codec.h"

#include <windows.h>

#include "platform/secure_wipe.h"

namespace tessaly {

namespace {

UINT codePageOf(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf8 ? CP_UTF8 : CP_ACP;
}

}  // namespace

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
    const bool utf8 = to == TextEncoding::Utf8;
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
    std::u16string wide = utf16From(from, text);
    std::string converted = textFrom(wide, to, replaced);
    if (!wide.empty()) secureWipe(&wide[0], wide.size() * sizeof(char16_t));
    return converted;
}

bool codePagePassword(std::string_view utf8, std::string& legacy)
{
    wipeString(legacy);
    bool replaced = false;
    std::string converted = convertText(TextEncoding::Utf8, TextEncoding::Ansi, utf8, &replaced);
    if (!replaced) legacy.assign(converted);
    wipeString(converted);
    return !replaced;
}

}  // namespace tessaly
