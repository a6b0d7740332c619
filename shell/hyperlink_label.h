#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "shell/win32_handles.h"

namespace tessaly {

// A static text that opens an address with the shell when clicked: blue at
// rest, red and underlined under the mouse, with the hand cursor. A static
// control reports clicks and asks for colours through its parent, so the
// first link on a parent also subclasses the parent to hand those messages
// to the link they concern.
class HyperlinkLabel {
public:
    // How an address is opened; the shell by default.
    using Opener = std::function<void(const std::string&)>;
    static void setOpener(Opener opener);

    HyperlinkLabel() = default;
    HyperlinkLabel(const HyperlinkLabel&) = delete;
    HyperlinkLabel& operator=(const HyperlinkLabel&) = delete;

    void attach(HWND label, const std::string& address);
    bool hovering() const { return hovering_; }

    static constexpr COLORREF kNormalColor = RGB(0, 0, 200);
    static constexpr COLORREF kHoverColor = RGB(200, 0, 0);

private:
    static LRESULT CALLBACK forwarderProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK linkProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onLinkMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool isRegistered(HWND control) const;

    WNDPROC parentPrevious_ = nullptr;
    std::vector<HWND> registered_;
    HWND parent_ = nullptr;
    WNDPROC labelPrevious_ = nullptr;
    bool hovering_ = false;
    FontHandle hoverFont_;
    HCURSOR cursor_ = nullptr;
    std::string address_;
    HWND label_ = nullptr;
    int controlId_ = 0;
};

}  // namespace tessaly
