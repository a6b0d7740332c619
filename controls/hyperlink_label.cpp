#include "controls/hyperlink_label.h"

#include <commctrl.h>
#include <shellapi.h>

#include "platform/redraw.h"

namespace tessaly {

namespace {

constexpr size_t kMaxAddressLength = 4095;

void openWithShell(const std::string& address)
{
    ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

HyperlinkLabel::HyperlinkLabel() : opener_(openWithShell) {}

HyperlinkLabel::~HyperlinkLabel()
{
    detach();
}

void HyperlinkLabel::attach(HWND label, const std::string& address)
{
    detach();
    label_ = label;
    parent_ = GetParent(label);
    hovering_ = false;
    const auto id = reinterpret_cast<UINT_PTR>(this);
    SetWindowSubclass(parent_, parentProcedure, id, reinterpret_cast<DWORD_PTR>(this));
    SetWindowSubclass(label_, labelProcedure, id, reinterpret_cast<DWORD_PTR>(this));
    controlId_ = GetDlgCtrlID(label);
    SetWindowLongPtrA(label, GWL_STYLE, GetWindowLongPtrA(label, GWL_STYLE) | SS_NOTIFY);
    address_ = address.substr(0, kMaxAddressLength);

    LOGFONTA description{};
    auto font = reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0));
    GetObjectA(font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
    description.lfUnderline = TRUE;
    hoverFont_.reset(CreateFontIndirectA(&description));
    cursor_ = LoadCursor(nullptr, IDC_HAND);
}

void HyperlinkLabel::detach()
{
    if (!label_) return;
    const auto id = reinterpret_cast<UINT_PTR>(this);
    RemoveWindowSubclass(parent_, parentProcedure, id);
    RemoveWindowSubclass(label_, labelProcedure, id);
    label_ = parent_ = nullptr;
}

LRESULT CALLBACK HyperlinkLabel::parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR self)
{
    auto* link = reinterpret_cast<HyperlinkLabel*>(self);
    if (reinterpret_cast<HWND>(lParam) == link->label_) {
        if (message == WM_CTLCOLORSTATIC) return link->onCtlColor(reinterpret_cast<HDC>(wParam));
        if (message == WM_COMMAND) {
            if (LOWORD(wParam) == link->controlId_ && HIWORD(wParam) == STN_CLICKED) link->opener_(link->address_);
            return 0;
        }
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK HyperlinkLabel::labelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR self)
{
    auto* link = reinterpret_cast<HyperlinkLabel*>(self);
    switch (message) {
    case WM_MOUSEMOVE:
        link->onMouseMove();
        break;
    case WM_MOUSELEAVE:
        link->onMouseLeave();
        break;
    case WM_NCDESTROY:
        link->detach();
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT HyperlinkLabel::onCtlColor(HDC dc)
{
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, hovering_ ? kHoverColor : kNormalColor);
    if (hovering_) SelectObject(dc, hoverFont_.get());
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void HyperlinkLabel::onMouseMove()
{
    if (!hovering_) {
        hovering_ = true;
        redrawNow(label_);
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, label_, 0};
        TrackMouseEvent(&track);
    }
    SetCursor(cursor_);
}

void HyperlinkLabel::onMouseLeave()
{
    hovering_ = false;
    redrawNow(label_);
}

}  // namespace tessaly
