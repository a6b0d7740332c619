#include "shell/picture_page.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <memory>

#include "platform/window_state.h"
#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/settings.h"
#include "controls/dialog_theme.h"
#include "shell/pages.h"

namespace tessaly {

namespace {

constexpr int kMaxSpotlightRadius = 60;

struct PicturePage {
    PicturePageSetup setup;
    ImageViewState view;
};

PicturePage& pageOf(HWND page)
{
    return *windowState<PicturePage>(page);
}

HWND picture(HWND page)
{
    return GetDlgItem(page, pageOf(page).setup.pictureId);
}

HBITMAP shownImage(const PicturePage& state)
{
    return state.setup.shown ? state.setup.shown->get() : nullptr;
}

BOOL onInitDialog(HWND page, const PicturePageSetup& setup)
{
    auto state = std::make_unique<PicturePage>();
    state->setup = setup;
    attachWindowState(page, std::move(state));
    enableDialogTheme(page, ETDT_ENABLETAB);
    applyTexts(page, setup.templateId);
    if (setup.spotlight) {
        CheckDlgButton(page, setup.spotlightControls.box, BST_CHECKED);
        SendDlgItemMessageA(page, setup.spotlightControls.slider, TBM_SETRANGE, TRUE,
                            MAKELPARAM(kDefaultSpotlightRadius, kMaxSpotlightRadius));
    }
    return TRUE;
}

void onSpotlightBox(HWND page)
{
    auto& state = pageOf(page);
    const bool on = IsDlgButtonChecked(page, state.setup.spotlightControls.box) == BST_CHECKED;
    state.view.spotlightOff = !on;
    EnableWindow(GetDlgItem(page, state.setup.spotlightControls.slider), on);
    redrawNow(picture(page));
}

INT_PTR onCommand(HWND page, WPARAM wParam, LPARAM lParam)
{
    // The Spotlight box belongs to the page's own view.
    const auto& setup = pageOf(page).setup;
    if (setup.spotlight && LOWORD(wParam) == setup.spotlightControls.box) {
        onSpotlightBox(page);
        return TRUE;
    }
    return forwardCommand(page, wParam, lParam);
}

BOOL onDrawItem(HWND page, const DRAWITEMSTRUCT* item)
{
    const auto& state = pageOf(page);
    if (static_cast<int>(item->CtlID) != state.setup.pictureId) return FALSE;
    if (!state.setup.spotlight) {
        drawImageView(*item, shownImage(state), state.view, state.setup.white);
        return TRUE;
    }
    SpotlightCover cover;
    cover.image = state.setup.cover ? state.setup.cover->get() : nullptr;
    // Read at every repaint, so a change in the options shows at once.
    const uint32_t fill = parseColorSetting(settingsTable().get("bkcolor")).value_or(kDefaultBackgroundColor);
    cover.fill = rgbToColorRef(fill);
    drawSpotlightView(*item, shownImage(state), cover, mouseIn(picture(page)), state.view, state.setup.white);
    return TRUE;
}

BOOL onScroll(HWND page, WPARAM wParam, HWND bar)
{
    auto& state = pageOf(page);
    if (state.setup.spotlight && bar == GetDlgItem(page, state.setup.spotlightControls.slider)) {
        state.view.spotlightRadius = static_cast<int>(SendMessageA(bar, TBM_GETPOS, 0, 0));
        redrawNow(picture(page));
    } else {
        scrollImageView(page, picture(page), bar, wParam, state.setup.bars, state.view);
    }
    return TRUE;
}

BOOL onMouseMove(HWND page)
{
    if (pageOf(page).setup.spotlight) redrawNow(picture(page));
    return TRUE;
}

BOOL onLeftButtonDown(HWND page)
{
    auto& state = pageOf(page);
    if (!state.setup.spotlight) return FALSE;
    CheckDlgButton(page, state.setup.spotlightControls.box, state.view.spotlightOff ? BST_CHECKED : BST_UNCHECKED);
    onSpotlightBox(page);
    return TRUE;
}

BOOL onRelayout(HWND page)
{
    auto& state = pageOf(page);
    relayoutImageView(page, picture(page), shownImage(state), state.setup.bars, state.view);
    return TRUE;
}

INT_PTR CALLBACK picturePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return onInitDialog(page, *reinterpret_cast<const PicturePageSetup*>(lParam));
    if (withoutWindowState<PicturePage>(page, message)) return FALSE;
    switch (message) {
    case WM_COMMAND:
        return onCommand(page, wParam, lParam);
    case WM_DRAWITEM:
        return onDrawItem(page, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_HSCROLL:
    case WM_VSCROLL:
        return onScroll(page, wParam, reinterpret_cast<HWND>(lParam));
    case WM_RELAYOUT_IMAGE:
        return onRelayout(page);
    case WM_MOUSEMOVE:
        return onMouseMove(page);
    case WM_LBUTTONDOWN:
        return onLeftButtonDown(page);
    default:
        return FALSE;
    }
}

}  // namespace

HWND createPicturePage(HWND parent, const PicturePageSetup& setup)
{
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(setup.templateId), parent, picturePageProc,
                              reinterpret_cast<LPARAM>(&setup));
}

void showPictureInPage(HWND page)
{
    const auto* state = windowState<PicturePage>(page);
    if (!state) return;
    HWND control = GetDlgItem(page, state->setup.pictureId);
    SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, 0);
    if (HBITMAP image = shownImage(*state)) {
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
    }
    SendMessageA(page, WM_RELAYOUT_IMAGE, 0, 0);
    redrawNow(control);
}

}  // namespace tessaly
