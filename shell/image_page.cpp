#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/settings.h"
#include "shell/dialog_theme.h"
#include "shell/image_view.h"
#include "shell/main_window.h"
#include "shell/pages.h"

namespace tessaly {

namespace {

constexpr int kMinSpotlightRadius = 20;
constexpr int kMaxSpotlightRadius = 60;
// The cover fill when "bkcolor" is not a colour.
constexpr uint32_t kDefaultCoverFill = 0xFFE2D5;

ImageViewState& view()
{
    static ImageViewState state;
    return state;
}

HWND picture(HWND page)
{
    return GetDlgItem(page, IDC_PICTURE);
}

BOOL onInitDialog(HWND page)
{
    enableDialogTheme(page, ETDT_ENABLETAB);
    applyTexts(page, IDD_IMAGE_PAGE);
    CheckDlgButton(page, IDC_SPOTLIGHT, BST_CHECKED);
    SendDlgItemMessageA(page, IDC_SPOTLIGHT_SIZE, TBM_SETRANGE, TRUE,
                        MAKELPARAM(kMinSpotlightRadius, kMaxSpotlightRadius));
    view() = ImageViewState{};
    view().spotlightRadius = kMinSpotlightRadius;
    return TRUE;
}

void onSpotlightBox(HWND page)
{
    const bool on = IsDlgButtonChecked(page, IDC_SPOTLIGHT) == BST_CHECKED;
    view().spotlightOff = !on;
    EnableWindow(GetDlgItem(page, IDC_SPOTLIGHT_SIZE), on);
    redrawNow(picture(page));
}

INT_PTR onCommand(HWND page, WPARAM wParam, LPARAM lParam)
{
    // The Spotlight box belongs to the page's own view.
    if (LOWORD(wParam) == IDC_SPOTLIGHT) {
        onSpotlightBox(page);
        return TRUE;
    }
    return forwardCommand(page, wParam, lParam);
}

BOOL onDrawItem(HWND page, const DRAWITEMSTRUCT* item)
{
    if (item->CtlID != IDC_PICTURE) return FALSE;
    const auto& state = mainWindowState();
    SpotlightCover cover;
    cover.image = state.encryptedImage;
    // Read at every repaint, so a change in the options shows at once.
    const uint32_t fill = parseColorSetting(settingsTable().get("bkcolor")).value_or(kDefaultCoverFill);
    cover.fill = rgbToColorRef(fill);
    drawSpotlightView(*item, state.plainImage, cover, mouseIn(picture(page)), view(), state.whiteBrush);
    return TRUE;
}

BOOL onScroll(HWND page, WPARAM wParam, HWND bar)
{
    if (bar == GetDlgItem(page, IDC_SPOTLIGHT_SIZE)) {
        view().spotlightRadius = static_cast<int>(SendMessageA(bar, TBM_GETPOS, 0, 0));
        redrawNow(picture(page));
    } else {
        scrollImageView(page, picture(page), bar, wParam, view());
    }
    return TRUE;
}

BOOL onLeftButtonDown(HWND page)
{
    CheckDlgButton(page, IDC_SPOTLIGHT, view().spotlightOff ? BST_CHECKED : BST_UNCHECKED);
    onSpotlightBox(page);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK imagePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(page);
    case WM_COMMAND:
        return onCommand(page, wParam, lParam);
    case WM_DRAWITEM:
        return onDrawItem(page, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_HSCROLL:
    case WM_VSCROLL:
        return onScroll(page, wParam, reinterpret_cast<HWND>(lParam));
    case WM_RELAYOUT_IMAGE:
        relayoutImageView(page, picture(page), mainWindowState().plainImage, view());
        return TRUE;
    case WM_MOUSEMOVE:
        redrawNow(picture(page));
        return TRUE;
    case WM_LBUTTONDOWN:
        return onLeftButtonDown(page);
    default:
        return FALSE;
    }
}

}  // namespace tessaly
