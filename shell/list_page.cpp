#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <array>

#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "shell/dialog_theme.h"
#include "shell/list_file.h"
#include "shell/pages.h"
#include "shell/password_list.h"
#include "shell/win32_handles.h"

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
    BitmapHandle marker;
    BitmapHandle selectedMarker;
};

ListPageState& pageState()
{
    static ListPageState state;
    return state;
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
    enableDialogTheme(page, ETDT_ENABLETAB);
    HWND list = GetDlgItem(page, IDC_LIST);
    insertColumn(list, 0, "user", 93);
    insertColumn(list, 1, "pass", 93);
    insertColumn(list, 2, "description", 160);
    applyTexts(page, IDD_LIST_PAGE);
    if (isFlagOn(settingsTable().get("show_pass"))) CheckDlgButton(page, IDC_SHOW_PASS_ON_LIST, BST_CHECKED);
    auto& state = pageState();
    auto load = [](int id) {
        return BitmapHandle(static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE)));
    };
    state.marker = load(IDB_ROW_MARKER);
    state.selectedMarker = load(IDB_ROW_MARKER_SELECTED);
    return TRUE;
}

void drawMarker(HDC dc, const RECT& row, HBITMAP marker)
{
    MemoryDc source(CreateCompatibleDC(dc));
    if (!source || !marker) return;
    SelectGuard selected(source.get(), marker);
    const int top = row.top + (row.bottom - row.top) / 2 - kMarkerHeight / 2;
    TransparentBlt(dc, row.left, top, kMarkerWidth, kMarkerHeight, source.get(), 0, 0, kMarkerWidth, kMarkerHeight,
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
    SavedDcState saved(item->hDC);

    FillRect(item->hDC, &area, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    drawMarker(item->hDC, area, selected ? pageState().selectedMarker.get() : pageState().marker.get());
    SetBkMode(item->hDC, TRANSPARENT);

    const int width0 = ListView_GetColumnWidth(list, 0);
    const int width1 = ListView_GetColumnWidth(list, 1);
    const int width2 = ListView_GetColumnWidth(list, 2);
    drawCell(item->hDC, cellText(list, row, 0), area.left + kMarkerWidth, area.left + width0, area);
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

// Answers the compare-rows message for rows i and j in the sort column.
INT_PTR onCompareRows(HWND page, int i, int j)
{
    HWND list = GetDlgItem(page, IDC_LIST);
    const auto& state = pageState();
    const std::string a = cellText(list, i, state.sortColumn).substr(0, kDrawnCellLength);
    const std::string b = cellText(list, j, state.sortColumn).substr(0, kDrawnCellLength);
    const int result = state.ascending[state.sortColumn] ? compareCells(a, b) : compareCells(b, a);
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR onNotify(HWND page, LPARAM lParam)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_LIST && header->code == LVN_COLUMNCLICK) {
        const int column = reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem;
        if (column >= 0 && column < kColumns) {
            auto& state = pageState();
            state.sortColumn = column;
            // The comparison gets row indices, so LVM_SORTITEMSEX.
            SendMessageA(header->hwndFrom, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(page),
                         reinterpret_cast<LPARAM>(compareRows));
            state.ascending[column] = !state.ascending[column];
        }
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
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(page);
    case WM_DRAWITEM:
        return onDrawItem(page, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMPARE_ROWS:
        return onCompareRows(page, static_cast<int>(wParam), static_cast<int>(lParam));
    case WM_COMMAND:
        return onCommand(page, wParam, lParam);
    case WM_NOTIFY:
        return onNotify(page, lParam);
    default:
        return FALSE;
    }
}

}  // namespace tessaly
