#include "shell/password_list.h"

#include <commctrl.h>

#include "platform/secure_wipe.h"
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

void wipeEntry(PasswordEntry& entry)
{
    wipeString(entry.pass);
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

HWND listControl(HWND listPage)
{
    return GetDlgItem(listPage, IDC_LIST);
}

std::string cellText(HWND list, int row, int column)
{
    const auto& rows = listRows(GetParent(list));
    if (row < 0 || static_cast<size_t>(row) >= rows.size()) return {};
    const PasswordEntry& entry = rows[static_cast<size_t>(row)];
    return column == 0 ? entry.user : column == 1 ? entry.pass : entry.description;
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
    auto& rows = listRows(listPage);
    rows.insert(rows.end(), first, first + count);
    showRowCount(listControl(listPage), rows.size());
}

bool updateSelectedEntry(HWND listPage, const PasswordEntry& entry)
{
    HWND list = listControl(listPage);
    auto& rows = listRows(listPage);
    const int row = firstSelectedRow(list);
    if (row < 0 || static_cast<size_t>(row) >= rows.size()) return true;
    wipeEntry(rows[static_cast<size_t>(row)]);
    rows[static_cast<size_t>(row)] = entry;
    SendMessageA(list, LVM_REDRAWITEMS, row, row);
    return true;
}

bool deleteSelectedEntries(HWND listPage)
{
    HWND list = listControl(listPage);
    auto& rows = listRows(listPage);
    std::vector<bool> selected(rows.size(), false);
    for (int row : selectedRows(list)) {
        if (static_cast<size_t>(row) < rows.size()) selected[static_cast<size_t>(row)] = true;
    }
    size_t kept = 0;
    for (size_t row = 0; row < rows.size(); ++row) {
        if (selected[row]) {
            wipeEntry(rows[row]);
        } else {
            if (kept != row) std::swap(rows[kept], rows[row]);
            ++kept;
        }
    }
    rows.resize(kept);
    showRowCount(list, rows.size());
    deselectAll(list);
    return true;
}

void clearEntries(HWND listPage)
{
    auto& rows = listRows(listPage);
    wipePasswords(rows);
    // The memory of a long list goes back at once, not at the next load.
    std::vector<PasswordEntry>().swap(rows);
    // Without rows first: the control unselects row by row.
    HWND list = listControl(listPage);
    showRowCount(list, 0);
    deselectAll(list);
}

std::vector<PasswordEntry> collectEntries(HWND list, bool labelled)
{
    const auto& rows = listRows(GetParent(list));
    if (!labelled) return rows;
    const std::string userLabel = translate("user") + ": ";
    const std::string passLabel = translate("pass") + ": ";
    const std::string descriptionLabel = translate("description") + ": ";
    std::vector<PasswordEntry> entries;
    entries.reserve(rows.size());
    for (const auto& row : rows) {
        entries.push_back({userLabel + row.user, passLabel + row.pass, descriptionLabel + row.description});
    }
    return entries;
}

}  // namespace tessaly
