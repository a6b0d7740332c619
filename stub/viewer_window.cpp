#include "stub/viewer_window.h"

#include <commctrl.h>

#include <memory>

#include "platform/capture_exclusion.h"
#include "platform/window_state.h"
#include "resources/peekstub_ids.h"
#include "stub/stub_texts.h"
#include "formats/bitmap_file.h"
#include "controls/image_view.h"
#include "stub/password_window.h"
#include "stub/viewer_rules.h"

namespace tessaly {

namespace {

constexpr ImageViewBars kBars{IDC_VIEWER_HSCROLL, IDC_VIEWER_VSCROLL};
constexpr char kTooltip[] = "Press +/- to modify the size of the spotlight";

struct ViewerWindow {
    const ViewerPictures* pictures = nullptr;
    ImageViewState view;
    HWND tooltip = nullptr;
};

ViewerWindow& viewerOf(HWND window)
{
    return *windowState<ViewerWindow>(window);
}

HWND picture(HWND window)
{
    return GetDlgItem(window, IDC_VIEWER_PICTURE);
}

int readableWidth(const ViewerWindow& viewer)
{
    return static_cast<int>(imageWidth(viewer.pictures->readable.get()));
}

int readableHeight(const ViewerWindow& viewer)
{
    return static_cast<int>(imageHeight(viewer.pictures->readable.get()));
}

void sizeToPicture(HWND window, const ViewerWindow& viewer)
{
    const ViewerRect client = viewerClientArea(readableWidth(viewer), readableHeight(viewer),
                                               GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CXVSCROLL));
    RECT frame{0, 0, client.width, client.height};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND createTooltip(HWND window)
{
    HWND tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    if (!tooltip) return nullptr;
    SetWindowPos(tooltip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = IDC_VIEWER_PICTURE;
    GetClientRect(window, &tool.rect);
    tool.lpszText = const_cast<char*>(kTooltip);
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return tooltip;
}

BOOL onInitDialog(HWND window, const ViewerPictures* pictures)
{
    auto* viewer = attachWindowState(window, std::make_unique<ViewerWindow>());
    viewer->pictures = pictures;
    // The stub has no settings: its windows always stay out of captures.
    applyCapturePolicy(window, false);
    const SpotlightStart start = spotlightFromString(stubText(IDS_SPOTLIGHT));
    viewer->view.spotlightRadius = radiusWithin(start.radius, readableWidth(*viewer), readableHeight(*viewer));
    viewer->view.spotlightOff = start.off;
    sizeToPicture(window, *viewer);
    viewer->tooltip = createTooltip(window);
    return TRUE;
}

void place(HWND control, const ViewerRect& area, bool shown)
{
    SetWindowPos(control, nullptr, area.x, area.y, area.width, area.height, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

// Bars only where the picture does not fit; the view starts again at the
// picture's top-left corner.
void onSize(HWND window, int width, int height)
{
    auto& viewer = viewerOf(window);
    const ViewerLayout layout = viewerLayout(readableWidth(viewer), readableHeight(viewer), width, height,
                                             GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CXVSCROLL));
    place(GetDlgItem(window, kBars.horizontal), layout.horizontal, layout.horizontalShown);
    place(GetDlgItem(window, kBars.vertical), layout.vertical, layout.verticalShown);
    place(picture(window), layout.picture, true);
    relayoutImageView(window, picture(window), viewer.pictures->readable.get(), kBars, viewer.view);
    redrawNow(picture(window));
}

BOOL onDrawItem(HWND window, const DRAWITEMSTRUCT* item)
{
    if (item->CtlID != IDC_VIEWER_PICTURE) return FALSE;
    const auto& viewer = viewerOf(window);
    SpotlightCover cover;
    cover.rows = viewer.pictures->coverRows;
    drawSpotlightView(*item, viewer.pictures->readable.get(), cover, mouseIn(picture(window)), viewer.view,
                      static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    return TRUE;
}

void onCommand(HWND window, int id)
{
    auto& viewer = viewerOf(window);
    auto& view = viewer.view;
    if (id == ID_SPOTLIGHT_GROW) {
        view.spotlightRadius = radiusWithin(grownRadius(view.spotlightRadius), readableWidth(viewer),
                                            readableHeight(viewer));
    }
    if (id == ID_SPOTLIGHT_SHRINK) view.spotlightRadius = shrunkRadius(view.spotlightRadius);
    if (id == IDCANCEL) {
        SendMessageA(window, WM_CLOSE, 0, 0);
        return;
    }
    redrawNow(picture(window));
}

INT_PTR CALLBACK viewerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return onInitDialog(window, reinterpret_cast<const ViewerPictures*>(lParam));
    if (withoutWindowState<ViewerWindow>(window, message)) return FALSE;
    switch (message) {
    case WM_SIZE:
        onSize(window, LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_DRAWITEM:
        return onDrawItem(window, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_HSCROLL:
    case WM_VSCROLL:
        scrollImageView(window, picture(window), reinterpret_cast<HWND>(lParam), wParam, kBars, viewerOf(window).view);
        return TRUE;
    case WM_MOUSEMOVE:
        redrawNow(picture(window));
        return TRUE;
    case WM_LBUTTONDOWN:
        viewerOf(window).view.spotlightOff = !viewerOf(window).view.spotlightOff;
        redrawNow(picture(window));
        return TRUE;
    case WM_COMMAND:
        onCommand(window, LOWORD(wParam));
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(window);
        PostQuitMessage(kPeekstubExitCode);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

HWND createViewerWindow(HWND owner, const ViewerPictures& pictures)
{
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_VIEWER_WINDOW), owner, viewerWindowProc,
                              reinterpret_cast<LPARAM>(&pictures));
}

}  // namespace tessaly
