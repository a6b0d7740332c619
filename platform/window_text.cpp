#include "platform/window_text.h"

#include <utility>
#include <vector>

#include "platform/secure_wipe.h"
#include "platform/text_codec.h"

namespace tessaly {

std::string readWindowText(HWND window)
{
    std::string text;
    readWindowText(window, text);
    return text;
}

void readWindowText(HWND window, std::string& text)
{
    wipeString(text);
    const int length = GetWindowTextLengthA(window);
    text.resize(static_cast<size_t>(length) + 1);
    const int read = GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(read > 0 ? read : 0));
}

SecretText readSecretText(HWND window)
{
    std::string text;
    readWindowText(window, text);
    return secretFrom(std::move(text));
}

void readPassphrase(HWND field, std::string& utf8)
{
    wipeString(utf8);
    const int length = GetWindowTextLengthW(field);
    std::vector<wchar_t> wide(static_cast<size_t>(length) + 1);
    const int read = GetWindowTextW(field, wide.data(), length + 1);
    const int bytes = read > 0 ? WideCharToMultiByte(CP_UTF8, 0, wide.data(), read, nullptr, 0, nullptr, nullptr) : 0;
    if (bytes > 0) {
        utf8.resize(static_cast<size_t>(bytes));
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), read, &utf8[0], bytes, nullptr, nullptr);
    }
    secureWipe(wide.data(), wide.size() * sizeof(wchar_t));
}

namespace {

// One line at a point, as DrawText lays it out: through the system's shaping,
// which takes a character the font lacks from a font that has it.
constexpr UINT kPlacedLine = DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;

// The programs' text as UTF-16 for a "W" call, wiped when done.
class WideText {
public:
    explicit WideText(std::string_view text) : wide_(utf16From(TextEncoding::Ansi, text)) {}
    WideText(const WideText&) = delete;
    WideText& operator=(const WideText&) = delete;
    ~WideText()
    {
        if (!wide_.empty()) secureWipe(&wide_[0], wide_.size() * sizeof(char16_t));
    }
    const wchar_t* data() const { return reinterpret_cast<const wchar_t*>(wide_.data()); }
    int size() const { return static_cast<int>(wide_.size()); }

private:
    std::u16string wide_;
};

}  // namespace

int drawText(HDC dc, std::string_view text, RECT& area, UINT format)
{
    const WideText wide(text);
    return DrawTextW(dc, wide.data(), wide.size(), &area, format);
}

SIZE textExtent(HDC dc, std::string_view text)
{
    RECT area{};
    drawText(dc, text, area, DT_CALCRECT | kPlacedLine);
    return {area.right - area.left, area.bottom - area.top};
}

void textOut(HDC dc, int x, int y, std::string_view text)
{
    RECT area{x, y, x, y};
    drawText(dc, text, area, kPlacedLine);
}

void wipeWindowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    if (length > 0) SetWindowTextA(window, std::string(static_cast<size_t>(length), '*').c_str());
    SetWindowTextA(window, "");
}

}  // namespace tessaly
