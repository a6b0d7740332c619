#include "shell/password_list.h"

#include <commctrl.h>

#include "platform/secure_wipe.h"
#include "platform/text_codec.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"

namespace tessaly {

namespace {

int firstSelectedRow(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// The control holds no rows of its own, only how many there are: telling it
// costs the same for a million rows as for one.
void showRowCount(HWND list, size_t count)
{
    SendMessageA(list, LVM_SETITEMCOUNT, count, LVSICF_NOSCROLL);
    InvalidateRect(list, nullptr, TRUE);
}

void deselectAll(HWND list)
{
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
}

}  // namespace

std::vector<int> selectedRows(HWND list)
{
    std::vector<int> rows;
    for (int row = firstSelectedRow(list); row >= 0;
         row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, row, LVNI_SELECTED))) {
        rows.push_back(row);
    }
    return rows;
}

void selectRows(HWND list, const std::vector<int>& rows)
{
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int row : rows) ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
    if (rows.empty()) return;
    ListView_SetItemState(list, rows.front(), LVIS_FOCUSED, LVIS_FOCUSED);
    ListView_EnsureVisible(list, rows.front(), FALSE);
}

HWND listControl(HWND listPage)
{
    return GetDlgItem(listPage, IDC_LIST);
}

std::string cellText(HWND list, int row, int column)
{
    if (row < 0 || column < 0) return {};
    return std::string(listOf(GetParent(list)).cell(static_cast<size_t>(row), static_cast<size_t>(column)));
}

const std::string& lineBreakMark()
{
    static const std::string mark = convertText(TextEncoding::Utf8, TextEncoding::Ansi, " \xC2\xB6 ");
    return mark;
}

void appendEntry(HWND listPage, const PasswordEntry& entry)
{
    appendEntries(listPage, &entry, 1);
}

void appendEntries(HWND listPage, const std::vector<PasswordEntry>& entries)
{
    appendEntries(listPage, entries.data(), entries.size());
}

void appendEntries(HWND listPage, const PasswordEntry* first, size_t count)
{
    PasswordList& rows = listOf(listPage);
    rows.add(first, count);
    showRowCount(listControl(listPage), rows.size());
}

void updateEntry(HWND listPage, size_t row, const PasswordEntry& entry)
{
    if (listOf(listPage).replace(row, entry)) {
        SendMessageA(listControl(listPage), LVM_REDRAWITEMS, row, row);
    }
}

void deleteEntries(HWND listPage, const std::vector<int>& rows)
{
    HWND list = listControl(listPage);
    PasswordList& entries = listOf(listPage);
    entries.remove(std::vector<size_t>(rows.begin(), rows.end()));
    showRowCount(list, entries.size());
    deselectAll(list);
}

void clearEntries(HWND listPage)
{
    listOf(listPage).clear();
    // Without rows first: the control unselects row by row.
    HWND list = listControl(listPage);
    showRowCount(list, 0);
    deselectAll(list);
}

std::vector<PasswordEntry> collectEntries(HWND list, bool labelled)
{
    const auto& rows = listOf(GetParent(list)).entries();
    if (!labelled) return rows;
    const std::string userLabel = translate("user") + ": ";
    const std::string passLabel = translate("pass") + ": ";
    const std::string descriptionLabel = translate("description") + ": ";
    std::vector<PasswordEntry> entries;
    entries.reserve(rows.size());
    for (const auto& row : rows) {
        SecretText pass(passLabel);
        pass.append(row.pass);
        entries.push_back({userLabel + row.user, std::move(pass), descriptionLabel + row.description});
    }
    return entries;
}

}  // namespace tessaly
