#include "shell/password_list.h"

#include <commctrl.h>

#include "platform/secure_wipe.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"

namespace tessaly {

namespace {

void setCell(HWND list, int row, int column, const std::string& text)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

int insertRow(HWND list, const PasswordEntry& entry)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    // A fixed "past the end" index would land in the middle of a long list.
    item.iItem = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(entry.user.c_str());
    int row = static_cast<int>(SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return row;
    setCell(list, row, 1, entry.pass);
    setCell(list, row, 2, entry.description);
    return row;
}

// Reads a cell into the start of `buffer` and answers its length. The
// control copies at most the buffer's size, so the buffer grows until the
// text fits.
size_t readCell(HWND list, int row, int column, std::string& buffer)
{
    for (;;) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = &buffer[0];
        item.cchTextMax = static_cast<int>(buffer.size());
        const size_t length = static_cast<size_t>(
            SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < buffer.size()) return length;
        buffer.assign(buffer.size() * 4, '\0');
    }
}

int firstSelectedRow(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace

HWND listControl(HWND listPage)
{
    return GetDlgItem(listPage, IDC_LIST);
}

std::string cellText(HWND list, int row, int column)
{
    std::string text(256, '\0');
    text.resize(readCell(list, row, column, text));
    return text;
}

bool appendEntry(HWND listPage, const PasswordEntry& entry)
{
    insertRow(listControl(listPage), entry);
    return true;
}

void appendEntries(HWND listPage, const std::vector<PasswordEntry>& entries)
{
    appendEntries(listPage, entries.data(), entries.size());
}

void appendEntries(HWND listPage, const PasswordEntry* first, size_t count)
{
    HWND list = listControl(listPage);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LVM_SETITEMCOUNT, SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) + count, 0);
    for (size_t i = 0; i < count; ++i) insertRow(list, first[i]);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

bool updateSelectedEntry(HWND listPage, const PasswordEntry& entry)
{
    HWND list = listControl(listPage);
    const int row = firstSelectedRow(list);
    if (row < 0) return true;
    setCell(list, row, 0, entry.user);
    setCell(list, row, 1, entry.pass);
    setCell(list, row, 2, entry.description);
    return true;
}

bool deleteSelectedEntries(HWND listPage)
{
    HWND list = listControl(listPage);
    for (int row = firstSelectedRow(list); row >= 0; row = firstSelectedRow(list)) {
        SendMessageA(list, LVM_DELETEITEM, row, 0);
    }
    return true;
}

void clearEntries(HWND listPage)
{
    SendMessageA(listControl(listPage), LVM_DELETEALLITEMS, 0, 0);
}

std::vector<PasswordEntry> collectEntries(HWND list, bool labelled)
{
    std::vector<PasswordEntry> entries;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    if (count <= 0) return entries;
    const std::string userLabel = labelled ? translate("user") + ": " : "";
    const std::string passLabel = labelled ? translate("pass") + ": " : "";
    const std::string descriptionLabel = labelled ? translate("description") + ": " : "";
    entries.reserve(static_cast<size_t>(count));
    // One buffer for every cell; it holds passwords, so it is wiped after.
    std::string buffer(256, '\0');
    int row = -1;
    auto cell = [&](const std::string& label, int column) {
        const size_t length = readCell(list, row, column, buffer);
        return std::string(label).append(buffer.data(), length);
    };
    for (int i = 0; i < count; ++i) {
        row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_ALL));
        if (row < 0) break;
        entries.push_back({cell(userLabel, 0), cell(passLabel, 1), cell(descriptionLabel, 2)});
    }
    wipeString(buffer);
    return entries;
}

}  // namespace tessaly
