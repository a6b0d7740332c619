#include "settings/apply_texts.h"

#include <commctrl.h>

#include <string>

#include "platform/window_text.h"
#include "settings/access_keys.h"
#include "settings/language.h"
#include "settings/ui_text_tables.h"

namespace tessaly {

namespace {

void setMenuText(HMENU menu, UINT item, bool byPosition, const std::string& text)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<char*>(text.c_str());
    SetMenuItemInfoA(menu, item, byPosition, &info);
}

void setColumnText(HWND list, int column, const std::string& text)
{
    HWND header = ListView_GetHeader(list);
    if (!header || column >= Header_GetItemCount(header)) return;
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT;
    info.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
}

void setTabText(HWND tab, int index, const std::string& text)
{
    if (index >= TabCtrl_GetItemCount(tab)) return;
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(tab, TCM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
}

// Returns whether the row changed the window's menu.
bool applyRow(HWND window, const TextRow& row)
{
    const std::string text = composeText(row, translate(row.key));
    HWND control = row.id ? GetDlgItem(window, row.id) : nullptr;
    switch (row.target) {
    case TextTarget::WindowTitle:
        SetWindowTextA(window, text.c_str());
        return false;
    case TextTarget::Control:
        if (control) SetWindowTextA(control, text.c_str());
        return false;
    case TextTarget::MenuPosition:
    case TextTarget::MenuCommand:
        if (HMENU menu = GetMenu(window)) {
            bool byPosition = row.target == TextTarget::MenuPosition;
            setMenuText(menu, byPosition ? row.index : row.id, byPosition, text);
            return true;
        }
        return false;
    case TextTarget::ListColumn:
        if (control) setColumnText(control, row.index, text);
        return false;
    case TextTarget::Tab:
        if (control) setTabText(control, row.index, text);
        return false;
    case TextTarget::TitleFromSelectedTab:
        if (control) SetWindowTextA(window, mainWindowTitle(tabCaption(control, TabCtrl_GetCurSel(control))).c_str());
        return false;
    }
    return false;
}

bool isClass(HWND control, const char* name)
{
    char kind[64] = {};
    GetClassNameA(control, kind, sizeof kind);
    return lstrcmpiA(kind, name) == 0;
}

// A label names the field that follows it, for screen readers and for its
// access key, which moves to that field: each label of a field gets a key
// that no other control of the window claims.
void giveLabelsAccessKeys(HWND window)
{
    std::u32string taken;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (const char32_t key = accessKeyOf(readWindowText(child))) taken += key;
    }
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        HWND field = GetWindow(child, GW_HWNDNEXT);
        const auto style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
        if (!field || !isClass(child, "Static") || (style & SS_NOPREFIX) || (style & SS_TYPEMASK) > SS_RIGHT ||
            isClass(field, "Static") || isClass(field, "Button") ||
            !(GetWindowLongPtrA(field, GWL_STYLE) & WS_TABSTOP)) {
            continue;
        }
        const std::string caption = readWindowText(child);
        const std::string keyed = withFreeAccessKey(caption, taken);
        if (keyed == caption) continue;
        SetWindowTextA(child, keyed.c_str());
        taken += accessKeyOf(keyed);
    }
}

}  // namespace

std::string tabCaption(HWND tab, int index)
{
    if (index < 0) return {};
    char caption[256] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption;
    item.cchTextMax = sizeof caption;
    SendMessageA(tab, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return caption;
}

void applyTexts(HWND window, int templateId)
{
    bool menuChanged = false;
    const auto& rows = textRowsFor(templateId);
    for (const TextRow& row : rows) menuChanged = applyRow(window, row) || menuChanged;
    if (!rows.empty()) giveLabelsAccessKeys(window);
    if (menuChanged) {
        // Re-attaching the menu makes the menu bar show the new texts.
        SetMenu(window, GetMenu(window));
        DrawMenuBar(window);
    }
}

}  // namespace tessaly
