#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "resources/corvale_ids.h"
#include "platform/dpi.h"
#include "platform/secure_wipe.h"
#include "settings/apply_texts.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "controls/dialog_theme.h"
#include "formats/list_file.h"
#include "shell/pages.h"
#include "shell/password_list.h"
#include "platform/win32_handles.h"
#include "platform/window_state.h"

namespace tessaly {

namespace {

constexpr int kColumns = 3;
constexpr int kMarkerWidth = 16;
constexpr int kMarkerHeight = 10;
constexpr COLORREF kMarkerTransparent = RGB(255, 0, 255);
// Cells are drawn from at most this many bytes.
constexpr size_t kDrawnCellLength = 255;

struct ListPageState {
    std::array<bool, kColumns> ascending{true, true, true};
    int sortColumn = 0;
    // The sort column's cells while a sort runs, by each row's position
    // before the sort.
    std::vector<std::string> sortCells;
    BitmapHandle marker;
    BitmapHandle selectedMarker;
    // The markers' size on this screen, measured once.
    SIZE markerSize{kMarkerWidth, kMarkerHeight};
};

ListPageState& pageState(HWND page)
{
    return *windowState<ListPageState>(page);
}

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
    auto& state = *attachWindowState(page, std::make_unique<ListPageState>());
    enableDialogTheme(page, ETDT_ENABLETAB);
    HWND list = GetDlgItem(page, IDC_LIST);
    insertColumn(list, 0, "user", scaledForScreen(93));
    insertColumn(list, 1, "pass", scaledForScreen(93));
    insertColumn(list, 2, "description", scaledForScreen(160));
    applyTexts(page, IDD_LIST_PAGE);
    if (isFlagOn(settingsTable().get("show_pass"))) CheckDlgButton(page, IDC_SHOW_PASS_ON_LIST, BST_CHECKED);
    auto load = [](int id) {
        return BitmapHandle(static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE)));
    };
    state.markerSize = {scaledForScreen(kMarkerWidth), scaledForScreen(kMarkerHeight)};
    state.marker = load(IDB_ROW_MARKER);
    state.selectedMarker = load(IDB_ROW_MARKER_SELECTED);
    return TRUE;
}

void drawMarker(HDC dc, const RECT& row, HBITMAP marker, SIZE size)
{
    MemoryDc source(CreateCompatibleDC(dc));
    if (!source || !marker) return;
    SelectGuard selected(source.get(), marker);
    const int top = row.top + (row.bottom - row.top) / 2 - size.cy / 2;
    GdiTransparentBlt(dc, row.left, top, size.cx, size.cy, source.get(), 0, 0, kMarkerWidth, kMarkerHeight,
                      kMarkerTransparent);
}

void drawCell(HDC dc, std::string text, int left, int right, const RECT& row)
{
    RECT cell{left, row.top, right, row.bottom};
    if (text.size() > kDrawnCellLength) text.resize(kDrawnCellLength);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &cell,
              DT_END_ELLIPSIS | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

BOOL onDrawItem(HWND page, const DRAWITEMSTRUCT* item)
{
    if (item->CtlID != IDC_LIST) return FALSE;
    HWND list = item->hwndItem;
    const int row = static_cast<int>(item->itemID);
    const RECT& area = item->rcItem;
    const bool selected = item->itemState & ODS_SELECTED;
    const auto& state = pageState(page);
    SavedDcState saved(item->hDC);

    FillRect(item->hDC, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    drawMarker(item->hDC, area, selected ? state.selectedMarker.get() : state.marker.get(), state.markerSize);
    SetBkMode(item->hDC, TRANSPARENT);

    const int width0 = ListView_GetColumnWidth(list, 0);
    const int width1 = ListView_GetColumnWidth(list, 1);
    const int width2 = ListView_GetColumnWidth(list, 2);
    drawCell(item->hDC, cellText(list, row, 0), area.left + state.markerSize.cx, area.left + width0, area);
    std::string pass = cellText(list, row, 1);
    if (IsDlgButtonChecked(page, IDC_SHOW_PASS_ON_LIST) != BST_CHECKED) pass.assign(pass.size(), '*');
    drawCell(item->hDC, pass, area.left + width0, area.left + width0 + width1, area);
    drawCell(item->hDC, cellText(list, row, 2), area.left + width0 + width1, area.left + width0 + width1 + width2,
             area);
    return TRUE;
}

int CALLBACK compareRows(LPARAM first, LPARAM second, LPARAM page)
{
    return static_cast<int>(SendMessageA(reinterpret_cast<HWND>(page), WM_COMPARE_ROWS, first, second));
}

// Answers the compare-rows message for rows i and j (positions before the
// sort began) in the sort column.
INT_PTR onCompareRows(HWND page, size_t i, size_t j)
{
    const auto& state = pageState(page);
    if (i >= state.sortCells.size() || j >= state.sortCells.size()) return FALSE;
    const std::string& a = state.sortCells[i];
    const std::string& b = state.sortCells[j];
    const int result = state.ascending[state.sortColumn] ? compareCells(a, b) : compareCells(b, a);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
    return TRUE;
}

// The control's contents are unstable while it sorts, so the cells are read
// before: each row carries its starting position as its item data, and the
// comparison looks the cells up by it.
void sortRows(HWND page, HWND list, int column)
{
    auto& state = pageState(page);
    state.sortColumn = column;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    state.sortCells.clear();
    for (int row = 0; row < count; ++row) {
        state.sortCells.push_back(cellText(list, row, column).substr(0, kDrawnCellLength));
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        item.lParam = row;
        SendMessageA(list, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(page), reinterpret_cast<LPARAM>(compareRows));
    for (std::string& cell : state.sortCells) wipeString(cell);
    state.sortCells.clear();
    state.ascending[column] = !state.ascending[column];
}

INT_PTR onNotify(HWND page, LPARAM lParam)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_LIST && header->code == LVN_COLUMNCLICK) {
        const int column = reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem;
        if (column >= 0 && column < kColumns) sortRows(page, header->hwndFrom, column);
    }
    // Emptying the list (New, a load, the program's end) wants no word about
    // each row, which owns nothing: without this answer a million rows cost
    // a million notifications, minutes.
    if (header->idFrom == IDC_LIST && header->code == LVN_DELETEALLITEMS) {
        SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    return forwardNotify(page, lParam);
}

INT_PTR onCommand(HWND page, WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_SHOW_PASS_ON_LIST) InvalidateRect(GetDlgItem(page, IDC_LIST), nullptr, TRUE);
    return forwardCommand(page, wParam, lParam);
}

}  // namespace

INT_PTR CALLBACK listPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return onInitDialog(page);
    if (withoutWindowState<ListPageState>(page, message)) return FALSE;
    switch (message) {
    case WM_DRAWITEM:
        return onDrawItem(page, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMPARE_ROWS:
        return onCompareRows(page, static_cast<size_t>(wParam), static_cast<size_t>(lParam));
    case WM_COMMAND:
        return onCommand(page, wParam, lParam);
    case WM_NOTIFY:
        return onNotify(page, lParam);
    default:
        return FALSE;
    }
}

}  // namespace tessaly
