#include "platform/window_text.h"

namespace tessaly {

std::string readWindowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int read = GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(read > 0 ? read : 0));
    return text;
}

}  // namespace tessaly
