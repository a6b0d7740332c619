#include "shell/hyperlink_label.h"

#include <shellapi.h>

#include <algorithm>

#include "resources/corvale_ids.h"

namespace tessaly {

namespace {

constexpr size_t kMaxAddressLength = 4095;

HyperlinkLabel::Opener& opener()
{
    static HyperlinkLabel::Opener open = [](const std::string& address) {
        ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };
    return open;
}

}  // namespace

void HyperlinkLabel::setOpener(Opener open)
{
    opener() = std::move(open);
}

void HyperlinkLabel::attach(HWND label, const std::string& address)
{
    label_ = label;
    parent_ = GetParent(label);
    hovering_ = false;
    if (SendMessageA(parent_, WM_LINK_FORWARDER_PROBE, 0, 0) == WM_LINK_FORWARDER_PROBE) {
        reinterpret_cast<HyperlinkLabel*>(GetWindowLongPtrA(parent_, GWLP_USERDATA))->registered_.push_back(label);
    } else {
        registered_.assign(1, label);
        SetWindowLongPtrA(parent_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        parentPrevious_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            parent_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HyperlinkLabel::forwarderProcedure)));
    }
    SetWindowLongPtrA(label, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    labelPrevious_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(label, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HyperlinkLabel::linkProcedure)));
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

bool HyperlinkLabel::isRegistered(HWND control) const
{
    return std::find(registered_.begin(), registered_.end(), control) != registered_.end();
}

LRESULT CALLBACK HyperlinkLabel::forwarderProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<HyperlinkLabel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_LINK_FORWARDER_PROBE) return WM_LINK_FORWARDER_PROBE;
    if ((message == WM_COMMAND || message == WM_CTLCOLORSTATIC) && self->isRegistered(reinterpret_cast<HWND>(lParam))) {
        return SendMessageA(reinterpret_cast<HWND>(lParam), message, wParam, lParam);
    }
    return CallWindowProcA(self->parentPrevious_, window, message, wParam, lParam);
}

LRESULT CALLBACK HyperlinkLabel::linkProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<HyperlinkLabel*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self->onLinkMessage(message, wParam, lParam);
}

LRESULT HyperlinkLabel::onLinkMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == label_ && LOWORD(wParam) == controlId_ && HIWORD(wParam) == 0) {
            opener()(address_);
        }
        break;
    case WM_CTLCOLORSTATIC: {
        auto dc = reinterpret_cast<HDC>(wParam);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, hovering_ ? kHoverColor : kNormalColor);
        if (hovering_) SelectObject(dc, hoverFont_.get());
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_MOUSEMOVE: {
        if (!hovering_) {
            hovering_ = true;
            RedrawWindow(label_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, label_, 0};
            TrackMouseEvent(&track);
        }
        SetCursor(cursor_);
        break;
    }
    case WM_MOUSELEAVE:
        hovering_ = false;
        RedrawWindow(label_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        break;
    default:
        break;
    }
    return CallWindowProcA(labelPrevious_, label_, message, wParam, lParam);
}

}  // namespace tessaly
