#include "controls/anchored_layout.h"

namespace tessaly {

void AnchoredLayout::attach(HWND host, const std::vector<std::pair<int, Anchor>>& anchors)
{
    host_ = host;
    RECT client{};
    GetClientRect(host, &client);
    made_ = {client.right, client.bottom};
    controls_.clear();
    for (const auto& [id, anchor] : anchors) {
        HWND control = GetDlgItem(host, id);
        if (!control) continue;
        RECT place{};
        GetWindowRect(control, &place);
        MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&place), 2);
        controls_.push_back({control, {place.left, place.top, place.right, place.bottom}, anchor});
    }
}

void AnchoredLayout::apply() const
{
    RECT client{};
    if (!host_ || !GetClientRect(host_, &client)) return;
    // A minimised window has no client area to follow.
    if (client.right == 0 && client.bottom == 0) return;
    HDWP moves = BeginDeferWindowPos(static_cast<int>(controls_.size()));
    for (const Control& control : controls_) {
        const Box box = anchoredBox(control.made, control.anchor, client.right - made_.cx, client.bottom - made_.cy);
        if (moves) {
            moves = DeferWindowPos(moves, control.window, nullptr, box.left, box.top, box.width(), box.height(),
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    if (moves) EndDeferWindowPos(moves);
    // Group boxes and labels moved over what was drawn before, and a
    // control that only moved would keep drawing what it showed.
    RedrawWindow(host_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace tessaly
