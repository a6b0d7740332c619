#include "platform/window_text.h"

#include "platform/secure_wipe.h"

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

void wipeWindowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    if (length > 0) SetWindowTextA(window, std::string(static_cast<size_t>(length), '*').c_str());
    SetWindowTextA(window, "");
}

}  // namespace tessaly
