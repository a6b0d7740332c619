#include "shell/commands.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "formats/list_file.h"
#include "platform/secure_wipe.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "settings/message_box.h"
#include "shell/main_window.h"
#include "shell/password_list.h"
#include "shell/shown_line_breaks.h"

namespace tessaly {

namespace {

constexpr wchar_t kMaskBullet = 183;

std::string fieldText(HWND window, int id)
{
    return readWindowText(GetDlgItem(window, id));
}

// Overwritten before they are emptied: an edit control keeps what it held
// in its own memory otherwise.
void emptyFields(HWND window, std::initializer_list<int> ids)
{
    for (int id : ids) wipeWindowText(GetDlgItem(window, id));
}

void showListPage(HWND window)
{
    if (mainWindowState(window).currentPage != listPage(window)) showPage(window, kListPage);
}

void onAdd(HWND window)
{
    PasswordEntry entry{fieldText(window, IDC_ADD_USER), readSecretText(GetDlgItem(window, IDC_ADD_PASS)),
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
}

// What the Select pane holds for `row`: its description's line breaks as
// they were where the pane shows them unchanged.
PasswordEntry paneEntry(HWND window, size_t row)
{
    const PasswordList& list = mainWindowState(window).list;
    const std::string original = row < list.size() ? list.entries()[row].description : std::string();
    return {fieldText(window, IDC_SELECT_USER), readSecretText(GetDlgItem(window, IDC_SELECT_PASS)),
            withLineBreaks(fieldText(window, IDC_SELECT_DESCRIPTION), original, lineBreakMark())};
}

void applyPane(HWND window, size_t row)
{
    updateEntry(listPage(window), row, paneEntry(window, row));
}

void onRefresh(HWND window)
{
    if (const auto row = mainWindowState(window).paneRow) applyPane(window, *row);
    showListPage(window);
}

// Whether the Select pane holds anything other than the cells of its row.
bool paneEdited(HWND window, size_t row)
{
    const PasswordList& list = mainWindowState(window).list;
    if (row >= list.size()) return false;
    return !(paneEntry(window, row) == list.entries()[row]);
}

std::optional<size_t> soleSelectedRow(HWND list)
{
    if (ListView_GetSelectedCount(list) != 1) return std::nullopt;
    return static_cast<size_t>(ListView_GetNextItem(list, -1, LVNI_SELECTED));
}

// The Select pane can edit the one selected row; with several it shows the
// first of them, disabled. Delete works on any selection. Asked at every
// change of the selection, so it never walks the whole selection.
void showSelectionInPane(HWND window)
{
    auto& state = mainWindowState(window);
    HWND list = listControl(listPage(window));
    const int first = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    state.paneRow = soleSelectedRow(list);
    for (int id : {IDC_SELECT_USER, IDC_SELECT_PASS, IDC_SELECT_DESCRIPTION, IDC_SHOW_SELECT, IDC_REFRESH}) {
        EnableWindow(GetDlgItem(window, id), state.paneRow.has_value());
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
        if (column == 2) text = withShownBreaks(text, lineBreakMark());
        SetDlgItemTextA(window, fields[column], text.c_str());
        wipeString(text);
    }
}

void selectAllRows(HWND window)
{
    showListPage(window);
    ListView_SetItemState(listControl(listPage(window)), -1, LVIS_SELECTED, LVIS_SELECTED);
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

void emptyPanes(HWND window)
{
    emptyFields(window, {IDC_ADD_USER, IDC_ADD_PASS, IDC_ADD_DESCRIPTION, IDC_SELECT_USER, IDC_SELECT_PASS,
                         IDC_SELECT_DESCRIPTION});
}

void clearAll(HWND window)
{
    mainWindowState(window).paneRow.reset();
    clearEntries(listPage(window));
    clearFieldsAndPictures(window);
    mainWindowState(window).forgetListFile();
}

void clearFieldsAndPictures(HWND window)
{
    auto& state = mainWindowState(window);
    emptyPanes(window);
    for (int index : {kImagePage, kEncryptedPage}) picturePublisher(state, index)(BitmapHandle());
}

void onListSelectionChanged(HWND window)
{
    auto& state = mainWindowState(window);
    if (state.paneQuestionDue) return;
    const auto selected = soleSelectedRow(listControl(listPage(window)));
    if (state.paneRow && selected == state.paneRow) return;
    // The question waits until the list is done telling of the click that
    // moved the selection; the pane keeps the edit until it is answered.
    if (state.paneRow && paneEdited(window, *state.paneRow)) {
        state.paneQuestionDue = true;
        PostMessageA(window, WM_ASK_TO_APPLY_EDIT, 0, 0);
        return;
    }
    showSelectionInPane(window);
}

void askToApplyEdit(HWND window)
{
    auto& state = mainWindowState(window);
    state.paneQuestionDue = false;
    const auto row = state.paneRow;
    if (!row || !paneEdited(window, *row)) {
        showSelectionInPane(window);
        return;
    }
    const std::string question = formatName(translate("apply_changes_question"), state.list.entries()[*row].user);
    const int answer = MessageBoxA(window, question.c_str(), translate("frame_select").c_str(),
                                   MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) {
        // Back to the edited row, the pane as it is.
        state.paneQuestionDue = true;
        selectRows(listControl(listPage(window)), {static_cast<int>(*row)});
        state.paneQuestionDue = false;
        return;
    }
    if (answer == IDYES) applyPane(window, *row);
    showSelectionInPane(window);
}

void followSortedRows(HWND window)
{
    // The selection moved with its rows, and the pane's row is the one
    // selected.
    mainWindowState(window).paneRow = soleSelectedRow(listControl(listPage(window)));
}

void editSelectedRow(HWND window)
{
    HWND field = GetDlgItem(window, IDC_SELECT_USER);
    if (!IsWindowEnabled(field)) return;
    SetFocus(field);
    SendMessageA(field, EM_SETSEL, 0, -1);
}

// Delete asks first, No being the default, and then selects the row after
// the deleted ones, so that Delete again goes on down the list.
void deleteSelectedRows(HWND window)
{
    auto& state = mainWindowState(window);
    HWND list = listControl(listPage(window));
    const std::vector<int> rows = selectedRows(list);
    if (rows.empty()) return;
    const std::string question =
        rows.size() == 1 ? formatName(translate("delete_entry_question"), state.list.entries()[rows.front()].user)
                         : formatIntegers(translate("delete_entries_question"), {static_cast<long long>(rows.size())});
    if (MessageBoxA(window, question.c_str(), translate("delete_title").c_str(),
                    MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
        return;
    }
    // What the pane held goes with its row.
    state.paneRow.reset();
    deleteEntries(listPage(window), rows);
    const size_t left = state.list.size();
    if (left > 0)
        selectRows(list, {static_cast<int>(std::min(static_cast<size_t>(rows.back()) + 1 - rows.size(), left - 1))});
    showSelectionInPane(window);
    showListPage(window);
}

std::vector<Command> listCommands()
{
    return {
        {IDC_ADD, onAdd},
        {IDC_DELETE, deleteSelectedRows},
        {ID_EDIT_DELETE, deleteSelectedRows},
        {ID_EDIT_SELECT_ALL, selectAllRows},
        {IDC_REFRESH, onRefresh},
        {ID_FILE_NEW, onNew},
        {IDC_SHOW_ADD, [](HWND window) { onShowPassword(window, IDC_SHOW_ADD, IDC_ADD_PASS); }},
        {IDC_SHOW_SELECT, [](HWND window) { onShowPassword(window, IDC_SHOW_SELECT, IDC_SELECT_PASS); }},
    };
}

}  // namespace tessaly
