#include "stub/viewer_window.h"

#include <commctrl.h>

#include <memory>

#include "resources/peekstub_ids.h"
#include "stub/stub_texts.h"
#include "formats/bitmap_file.h"
#include "stub/password_window.h"
#include "stub/viewer_rules.h"

namespace tessaly {

namespace {

constexpr ImageViewBars kBars{IDC_VIEWER_HSCROLL, IDC_VIEWER_VSCROLL};
constexpr char kTooltip[] = "Press +/- to modify the size of the spotlight";

// Owned by the window, so it goes with it.
void createTooltip(HWND window)
{
    HWND tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    if (!tooltip) return;
    SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = IDC_VIEWER_PICTURE;
    GetClientRect(window, &tool.rect);
    tool.lpszText = const_cast<char*>(kTooltip);
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void place(HWND control, const ViewerRect& area, bool shown)
{
    SetWindowPos(control, nullptr, area.x, area.y, area.width, area.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

}  // namespace

ViewerWindow::ViewerWindow(const ViewerPictures& pictures)
    : Dialog({IDOK, IDCANCEL}, openOutOfCaptures), pictures_(pictures)
{
}

bool ViewerWindow::create(HWND owner)
{
    return createModelessDialog(owner, IDD_VIEWER_WINDOW, *this) != nullptr;
}

HWND ViewerWindow::picture() const
{
    return item(IDC_VIEWER_PICTURE);
}

int ViewerWindow::readableWidth() const
{
    return static_cast<int>(imageWidth(pictures_.readable.get()));
}

int ViewerWindow::readableHeight() const
{
    return static_cast<int>(imageHeight(pictures_.readable.get()));
}

void ViewerWindow::sizeToPicture()
{
    const ViewerRect client = viewerClientArea(readableWidth(), readableHeight(), GetSystemMetrics(SM_CYHSCROLL),
                                               GetSystemMetrics(SM_CXVSCROLL));
    RECT frame{0, 0, client.width, client.height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(window(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(window(), GWL_EXSTYLE)));
    SetWindowPos(window(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL ViewerWindow::onInitDialog()
{
    const SpotlightStart start = spotlightFromString(stubText(IDS_SPOTLIGHT));
    view_.spotlightRadius = radiusWithin(start.radius, readableWidth(), readableHeight());
    view_.spotlightOff = start.off;
    sizeToPicture();
    createTooltip(window());
    return TRUE;
}

// Bars only where the picture does not fit; the view starts again at the
// picture's top-left corner.
void ViewerWindow::onSize(int width, int height)
{
    const ViewerLayout layout = viewerLayout(readableWidth(), readableHeight(), width, height,
                                             GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CXVSCROLL));
    place(item(kBars.horizontal), layout.horizontal, layout.horizontalShown);
    place(item(kBars.vertical), layout.vertical, layout.verticalShown);
    place(picture(), layout.picture, true);
    relayoutImageView(window(), picture(), pictures_.readable.get(), kBars, view_);
    redrawNow(picture());
}

BOOL ViewerWindow::onDrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.CtlID != IDC_VIEWER_PICTURE) return FALSE;
    SpotlightCover cover;
    cover.rows = pictures_.coverRows;
    drawSpotlightView(item, pictures_.readable.get(), cover, mouseIn(picture()), view_,
                      static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), canvas_);
    return TRUE;
}

void ViewerWindow::onCommand(int id, int)
{
    if (id == ID_SPOTLIGHT_GROW) {
        view_.spotlightRadius = radiusWithin(grownRadius(view_.spotlightRadius), readableWidth(), readableHeight());
    }
    if (id == ID_SPOTLIGHT_SHRINK) view_.spotlightRadius = shrunkRadius(view_.spotlightRadius);
    redrawNow(picture());
}

// Escape and the close box end the program. Until the picture is shown the
// window is not the user's to close, and nothing else may close it: the
// decryption thread is still waiting for the password with it.
void ViewerWindow::onCancel()
{
    if (!IsWindowVisible(window())) return;
    DestroyWindow(window());
    PostQuitMessage(kPeekstubExitCode);
}

std::optional<INT_PTR> ViewerWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        onSize(LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_DRAWITEM:
        return onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_HSCROLL:
    case WM_VSCROLL:
        scrollImageView(window(), picture(), reinterpret_cast<HWND>(lParam), wParam, kBars, view_);
        return TRUE;
    case WM_MOUSEMOVE:
        redrawNow(picture());
        return TRUE;
    case WM_LBUTTONDOWN:
        view_.spotlightOff = !view_.spotlightOff;
        redrawNow(picture());
        return TRUE;
    default:
        return std::nullopt;
    }
}

}  // namespace tessaly
