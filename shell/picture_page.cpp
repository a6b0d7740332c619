#include "shell/picture_page.h"

#include <commctrl.h>

#include <memory>

#include "resources/corvale_ids.h"
#include "settings/settings.h"
#include "controls/anchored_layout.h"
#include "controls/dialog.h"
#include "shell/pages.h"

namespace tessaly {

namespace {

constexpr int kMaxSpotlightRadius = 60;

// A page showing one slot's picture, plainly or through the spotlight.
class PicturePage final : public Dialog {
public:
    // Enter and Escape belong to the main window.
    explicit PicturePage(const PicturePageSetup& setup) : Dialog({IDOK, IDCANCEL}), setup(setup) {}

    PicturePageSetup setup;
    ImageViewState view;
    SpotlightCanvas canvas;
    AnchoredLayout layout;

private:
    BOOL onInitDialog() override;
    void onCancel() override {}
    void onCommand(int id, int code) override;
    std::optional<INT_PTR> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

PicturePage* pageIfAny(HWND page)
{
    return static_cast<PicturePage*>(Dialog::of(page));
}

PicturePage& pageOf(HWND page)
{
    return *pageIfAny(page);
}

HWND picture(HWND page)
{
    return GetDlgItem(page, pageOf(page).setup.pictureId);
}

HBITMAP shownImage(const PicturePage& state)
{
    return state.setup.shown ? state.setup.shown->get() : nullptr;
}

BOOL PicturePage::onInitDialog()
{
    HWND page = window();
    if (setup.spotlight) {
        CheckDlgButton(page, setup.spotlightControls.box, BST_CHECKED);
        SendDlgItemMessageA(page, setup.spotlightControls.slider, TBM_SETRANGE, TRUE,
                            MAKELPARAM(kDefaultSpotlightRadius, kMaxSpotlightRadius));
    }
    std::vector<std::pair<int, Anchor>> anchors{{setup.pictureId, Anchor::Grow},
                                                {setup.bars.horizontal, Anchor::AlongBottom},
                                                {setup.bars.vertical, Anchor::AlongRight}};
    for (int id : setup.controlsBelow) anchors.emplace_back(id, Anchor::BottomLeft);
    layout.attach(page, anchors);
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

// The Spotlight box belongs to the page's own view.
void PicturePage::onCommand(int id, int code)
{
    if (setup.spotlight && id == setup.spotlightControls.box) {
        onSpotlightBox(window());
    } else {
        forwardCommand(window(), id, code);
    }
}

BOOL onDrawItem(HWND page, const DRAWITEMSTRUCT* item)
{
    auto& state = pageOf(page);
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
    drawSpotlightView(*item, shownImage(state), cover, mouseIn(picture(page)), state.view, state.setup.white,
                      state.canvas);
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

std::optional<INT_PTR> PicturePage::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND page = window();
    switch (message) {
    case WM_DRAWITEM:
        return onDrawItem(page, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_HSCROLL:
    case WM_VSCROLL:
        return onScroll(page, wParam, reinterpret_cast<HWND>(lParam));
    case WM_RELAYOUT_IMAGE:
        return onRelayout(page);
    case WM_SIZE:
        layout.apply();
        return onRelayout(page);
    case WM_MOUSEMOVE:
        return onMouseMove(page);
    case WM_LBUTTONDOWN:
        return onLeftButtonDown(page);
    default:
        return std::nullopt;
    }
}

}  // namespace

HWND createPicturePage(HWND parent, const PicturePageSetup& setup)
{
    return createOwnedDialog(parent, setup.templateId, std::make_unique<PicturePage>(setup));
}

void showPictureInPage(HWND page)
{
    const PicturePage* state = pageIfAny(page);
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
