#include "controls/font_spec.h"

#include <algorithm>

#include "platform/text_codec.h"

namespace tessaly {

namespace {

constexpr size_t kMaxFaceLength = 31;

// Every face once, whatever scripts it has: a face comes once per character
// set it covers, and the text drawn with it may be in any script.
int CALLBACK collectFont(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM list)
{
    auto& fonts = *reinterpret_cast<std::vector<std::string>*>(list);
    const std::string face = textFrom(reinterpret_cast<const char16_t*>(font->lfFaceName), TextEncoding::Ansi);
    if (std::find(fonts.begin(), fonts.end(), face) == fonts.end()) fonts.push_back(face);
    return 1;
}

}  // namespace

FontSpec::FontSpec()
{
    description_.lfHeight = -11;
    // A tenth of a degree, as the list pictures were always drawn: too little
    // to tilt a line by a pixel (a third of one over 200), and kept so that
    // a list draws the same picture as before.
    description_.lfEscapement = 1;
    description_.lfOrientation = 1;
    description_.lfWeight = FW_NORMAL;
    description_.lfCharSet = DEFAULT_CHARSET;
    description_.lfPitchAndFamily = 0x10;
    lstrcpynW(description_.lfFaceName, L"Verdana", LF_FACESIZE);
}

void FontSpec::setFaceName(const std::string& face)
{
    const std::u16string wide = utf16From(TextEncoding::Ansi, face);
    const std::u16string kept = wide.substr(0, kMaxFaceLength);
    lstrcpynW(description_.lfFaceName, reinterpret_cast<const wchar_t*>(kept.c_str()), LF_FACESIZE);
}

void FontSpec::setHeight(int pixels)
{
    description_.lfHeight = -pixels;
}

void FontSpec::setStyle(int weight, bool italic, bool underline)
{
    description_.lfWeight = weight;
    description_.lfItalic = italic ? TRUE : FALSE;
    description_.lfUnderline = underline ? TRUE : FALSE;
}

FontHandle FontSpec::createFont() const
{
    return FontHandle(CreateFontIndirectW(&description_));
}

const std::string* FontSpec::enumerateFonts(HWND window)
{
    WindowDc dc(window);
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc.get(), &all, collectFont, reinterpret_cast<LPARAM>(&fonts_), 0);
    return fonts_.empty() ? nullptr : &fonts_.front();
}

const std::string* FontSpec::nextFont()
{
    ++cursor_;
    return cursor_ < fonts_.size() ? &fonts_[cursor_] : nullptr;
}

}  // namespace tessaly
