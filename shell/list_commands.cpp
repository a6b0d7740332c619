#include "shell/commands.h"

#include <commctrl.h>

#include <algorithm>

#include "formats/list_file.h"
#include "platform/secure_wipe.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "settings/message_box.h"
#include "shell/main_window.h"
#include "shell/password_list.h"

namespace tessaly {

namespace {

constexpr wchar_t kMaskBullet = 183;

std::string fieldText(HWND window, int id)
{
    return readWindowText(GetDlgItem(window, id));
}

void emptyFields(HWND window, std::initializer_list<int> ids)
{
    for (int id : ids) SetDlgItemTextA(window, id, "");
}

void showListPage(HWND window)
{
    if (mainWindowState(window).currentPage != listPage(window)) showPage(window, kListPage);
}

void onAdd(HWND window)
{
    PasswordEntry entry{fieldText(window, IDC_ADD_USER), fieldText(window, IDC_ADD_PASS),
                        fieldText(window, IDC_ADD_DESCRIPTION)};
    const std::string warning = addWarning(entry.user.empty(), entry.pass.empty(), translate("you_must_insert_user"),
                                           translate("you_must_insert_pass"));
    if (!warning.empty()) {
        MessageBoxA(window, warning.c_str(), translate("warning").c_str(), MB_OK | MB_ICONEXCLAMATION);
    } else {
        mainWindowState(window).imageOutOfDate = true;
        appendEntry(listPage(window), entry);
        if (IsDlgButtonChecked(window, IDC_CLEAN_TEXT) == BST_CHECKED) {
            emptyFields(window, {IDC_ADD_USER, IDC_ADD_PASS, IDC_ADD_DESCRIPTION});
        }
        // The next name typed replaces this one.
        SetFocus(GetDlgItem(window, IDC_ADD_USER));
        SendDlgItemMessageA(window, IDC_ADD_USER, EM_SETSEL, 0, -1);
        showListPage(window);
    }
    wipeString(entry.pass);
}

void onRefresh(HWND window)
{
    PasswordEntry entry{fieldText(window, IDC_SELECT_USER), fieldText(window, IDC_SELECT_PASS),
                        fieldText(window, IDC_SELECT_DESCRIPTION)};
    updateSelectedEntry(listPage(window), entry);
    wipeString(entry.pass);
    showListPage(window);
}

void onNew(HWND window)
{
    if (mayLeaveList(window, "are_you_sure_new_file", "new_file")) clearAll(window);
}

void onShowPassword(HWND window, int showBoxId, int fieldId)
{
    setPasswordMask(window, fieldId, showBoxId);
    HWND field = GetDlgItem(window, fieldId);
    InvalidateRect(field, nullptr, TRUE);
    SetFocus(field);
}

}  // namespace

void setPasswordMask(HWND window, int fieldId, int showBoxId)
{
    WPARAM mask = IsDlgButtonChecked(window, showBoxId) == BST_CHECKED ? 0 : kMaskBullet;
    SendDlgItemMessageA(window, fieldId, EM_SETPASSWORDCHAR, mask, 0);
}

void clearAll(HWND window)
{
    clearEntries(listPage(window));
    clearFieldsAndPictures(window);
    mainWindowState(window).forgetListFile();
}

void clearFieldsAndPictures(HWND window)
{
    auto& state = mainWindowState(window);
    emptyFields(window, {IDC_ADD_USER, IDC_ADD_PASS, IDC_ADD_DESCRIPTION, IDC_SELECT_USER, IDC_SELECT_PASS,
                         IDC_SELECT_DESCRIPTION});
    for (int index : {kImagePage, kEncryptedPage}) picturePublisher(state, index)(BitmapHandle());
}

void onListSelectionChanged(HWND window)
{
    HWND list = listControl(listPage(window));
    const int first = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    const bool one = first >= 0 && SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0) == 1;
    for (int id : {IDC_SELECT_USER, IDC_SELECT_PASS, IDC_SELECT_DESCRIPTION, IDC_SHOW_SELECT, IDC_REFRESH}) {
        EnableWindow(GetDlgItem(window, id), one);
    }
    EnableWindow(GetDlgItem(window, IDC_DELETE), first >= 0);
    if (first < 0) {
        emptyFields(window, {IDC_SELECT_USER, IDC_SELECT_PASS, IDC_SELECT_DESCRIPTION});
        return;
    }
    const int fields[] = {IDC_SELECT_USER, IDC_SELECT_PASS, IDC_SELECT_DESCRIPTION};
    for (int column = 0; column < 3; ++column) {
        // Whole, even when a list file gave it more than can be typed, so
        // that Refresh never cuts it.
        std::string text = cellText(list, first, column);
        SetDlgItemTextA(window, fields[column], text.c_str());
        wipeString(text);
    }
}

void deleteSelectedRows(HWND window)
{
    deleteSelectedEntries(listPage(window));
    emptyFields(window, {IDC_SELECT_USER, IDC_SELECT_PASS, IDC_SELECT_DESCRIPTION});
    showListPage(window);
}

std::vector<Command> listCommands()
{
    return {
        {IDC_ADD, onAdd},
        {IDC_DELETE, deleteSelectedRows},
        {IDC_REFRESH, onRefresh},
        {ID_FILE_NEW, onNew},
        {IDC_SHOW_ADD, [](HWND window) { onShowPassword(window, IDC_SHOW_ADD, IDC_ADD_PASS); }},
        {IDC_SHOW_SELECT, [](HWND window) { onShowPassword(window, IDC_SHOW_SELECT, IDC_SELECT_PASS); }},
    };
}

}  // namespace tessaly
