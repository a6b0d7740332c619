#include <windows.h>
#include <uxtheme.h>

#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "shell/dialog_theme.h"
#include "shell/pages.h"

namespace tessaly {

namespace {

BOOL onInitDialog(HWND page)
{
    enableDialogTheme(page, ETDT_ENABLETAB);
    applyTexts(page, IDD_ENCRYPTED_PAGE);
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
    default:
        return FALSE;
    }
}

}  // namespace tessaly
