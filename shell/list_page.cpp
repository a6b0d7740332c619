#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "shell/dialog_theme.h"
#include "shell/pages.h"

namespace tessaly {

namespace {

void insertColumn(HWND list, int index, const char* key, int width)
{
    std::string title = translate(key);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(title.c_str());
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

BOOL onInitDialog(HWND page)
{
    enableDialogTheme(page, ETDT_ENABLETAB);
    HWND list = GetDlgItem(page, IDC_LIST);
    insertColumn(list, 0, "user", 93);
    insertColumn(list, 1, "pass", 93);
    insertColumn(list, 2, "description", 160);
    applyTexts(page, IDD_LIST_PAGE);
    if (isFlagOn(settingsTable().get("show_pass"))) CheckDlgButton(page, IDC_SHOW_PASS_ON_LIST, BST_CHECKED);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK listPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(page);
    case WM_COMMAND:
        return forwardCommand(page, wParam, lParam);
    case WM_NOTIFY:
        return forwardNotify(page, lParam);
    default:
        return FALSE;
    }
}

}  // namespace tessaly
