#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "shell/dialog_theme.h"
#include "shell/pages.h"

namespace tessaly {

namespace {

constexpr int kMinSpotlightRadius = 20;
constexpr int kMaxSpotlightRadius = 60;

BOOL onInitDialog(HWND page)
{
    enableDialogTheme(page, ETDT_ENABLETAB);
    applyTexts(page, IDD_IMAGE_PAGE);
    CheckDlgButton(page, IDC_SPOTLIGHT, BST_CHECKED);
    SendDlgItemMessageA(page, IDC_SPOTLIGHT_SIZE, TBM_SETRANGE, TRUE,
                        MAKELPARAM(kMinSpotlightRadius, kMaxSpotlightRadius));
    return TRUE;
}

INT_PTR onCommand(HWND page, WPARAM wParam, LPARAM lParam)
{
    // The Spotlight box belongs to the page's own view.
    if (LOWORD(wParam) == IDC_SPOTLIGHT) return TRUE;
    return forwardCommand(page, wParam, lParam);
}

}  // namespace

INT_PTR CALLBACK imagePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(page);
    case WM_COMMAND:
        return onCommand(page, wParam, lParam);
    default:
        return FALSE;
    }
}

}  // namespace tessaly
