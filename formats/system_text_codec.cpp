#include "formats/system_text_codec.h"

#include <windows.h>

#include "platform/secure_wipe.h"

namespace tessaly {

namespace {

std::wstring wideFrom(UINT codePage, std::string_view text)
{
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0) MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], units);
    return wide;
}

std::string narrowTo(UINT codePage, const std::wstring& wide, bool* replaced)
{
    if (wide.empty()) return {};
    const int units = static_cast<int>(wide.size());
    // UTF-8 takes neither a default character nor the flag.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* defaulted = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int bytes = WideCharToMultiByte(codePage, flags, wide.data(), units, nullptr, 0, nullptr, defaulted);
    std::string narrow(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0) WideCharToMultiByte(codePage, flags, wide.data(), units, &narrow[0], bytes, nullptr, defaulted);
    if (replaced && usedDefault) *replaced = true;
    return narrow;
}

// The wide copy may hold a password: it is wiped before it goes.
std::string convert(UINT from, UINT to, std::string_view text, bool* replaced)
{
    std::wstring wide = wideFrom(from, text);
    std::string converted = narrowTo(to, wide, replaced);
    if (!wide.empty()) secureWipe(&wide[0], wide.size() * sizeof(wchar_t));
    return converted;
}

}  // namespace

std::u16string utf16FromAnsi(std::string_view ansi)
{
    const std::wstring wide = wideFrom(CP_ACP, ansi);
    return std::u16string(wide.begin(), wide.end());
}

CsvTextCodec systemTextCodec()
{
    CsvTextCodec codec;
    codec.fromUtf8 = [](std::string_view utf8, bool& replaced) { return convert(CP_UTF8, CP_ACP, utf8, &replaced); };
    codec.toUtf8 = [](std::string_view ansi) { return convert(CP_ACP, CP_UTF8, ansi, nullptr); };
    return codec;
}

}  // namespace tessaly
