#include "controls/font_spec.h"

namespace tessaly {

namespace {

constexpr size_t kMaxFaceLength = 31;

int CALLBACK collectFont(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM list)
{
    if (font->lfCharSet == ANSI_CHARSET || font->lfCharSet == DEFAULT_CHARSET || font->lfCharSet == SYMBOL_CHARSET) {
        reinterpret_cast<std::vector<LOGFONTA>*>(list)->push_back(*font);
    }
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
    lstrcpynA(description_.lfFaceName, "Verdana", LF_FACESIZE);
}

void FontSpec::setFaceName(const std::string& face)
{
    lstrcpynA(description_.lfFaceName, face.substr(0, kMaxFaceLength).c_str(), LF_FACESIZE);
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
    return FontHandle(CreateFontIndirectA(&description_));
}

const LOGFONTA* FontSpec::enumerateFonts(HWND window)
{
    WindowDc dc(window);
    LOGFONTA all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc.get(), &all, collectFont, reinterpret_cast<LPARAM>(&fonts_), 0);
    return fonts_.empty() ? nullptr : &fonts_.front();
}

const LOGFONTA* FontSpec::nextFont()
{
    ++cursor_;
    return cursor_ < fonts_.size() ? &fonts_[cursor_] : nullptr;
}

}  // namespace tessaly
