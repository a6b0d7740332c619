#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32_handles.h"

namespace tessaly {

// A static text that opens an address with the shell when clicked: blue at
// rest, red and underlined under the mouse, with the hand cursor. A static
// control reports clicks and asks for colours through its parent, so each
// link also subclasses its parent to answer the messages that concern it.
// Both subclasses keep the object in their reference data; the windows'
// user-data slots stay their owners'.
class HyperlinkLabel {
public:
    // How an address is opened; the shell by default.
    using Opener = std::function<void(const std::string&)>;

    HyperlinkLabel();
    HyperlinkLabel(const HyperlinkLabel&) = delete;
    HyperlinkLabel& operator=(const HyperlinkLabel&) = delete;
    ~HyperlinkLabel();

    void attach(HWND label, const std::string& address);
    void setOpener(Opener opener) { opener_ = std::move(opener); }
    bool hovering() const { return hovering_; }

    static constexpr COLORREF kNormalColor = RGB(0, 0, 200);
    static constexpr COLORREF kHoverColor = RGB(200, 0, 0);

private:
    static LRESULT CALLBACK parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR self);
    static LRESULT CALLBACK labelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR self);
    LRESULT onCtlColor(HDC dc);
    void onMouseMove();
    void onMouseLeave();
    void detach();

    Opener opener_;
    HWND parent_ = nullptr;
    HWND label_ = nullptr;
    int controlId_ = 0;
    bool hovering_ = false;
    FontHandle hoverFont_;
    HCURSOR cursor_ = nullptr;
    std::string address_;
};

}  // namespace tessaly
