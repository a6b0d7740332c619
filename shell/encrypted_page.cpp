#include <windows.h>
#include <uxtheme.h>

#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "shell/dialog_theme.h"
#include "shell/image_view.h"
#include "shell/main_window.h"
#include "shell/pages.h"

namespace tessaly {

namespace {

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
    applyTexts(page, IDD_ENCRYPTED_PAGE);
    view() = ImageViewState{};
    return TRUE;
}

BOOL onDrawItem(const DRAWITEMSTRUCT* item)
{
    if (item->CtlID != IDC_PICTURE) return FALSE;
    drawImageView(*item, mainWindowState().encryptedImage, view(), mainWindowState().whiteBrush);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK encryptedPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(page);
    case WM_COMMAND:
        return forwardCommand(page, wParam, lParam);
    case WM_DRAWITEM:
        return onDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_HSCROLL:
    case WM_VSCROLL:
        scrollImageView(page, picture(page), reinterpret_cast<HWND>(lParam), wParam, view());
        return TRUE;
    case WM_RELAYOUT_IMAGE:
        relayoutImageView(page, picture(page), mainWindowState().encryptedImage, view());
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace tessaly
