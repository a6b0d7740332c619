#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <memory>
#include <string>
#include <vector>

#include "resources/corvale_ids.h"
#include "platform/dpi.h"
#include "settings/apply_texts.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "controls/anchored_layout.h"
#include "controls/dialog.h"
#include "formats/list_file.h"
#include "platform/secure_wipe.h"
#include "shell/pages.h"
#include "shell/password_list.h"
#include "shell/shown_line_breaks.h"
#include "platform/win32_handles.h"
#include "platform/window_text.h"

namespace tessaly {

namespace {

constexpr int kColumns = 3;
constexpr int kMarkerWidth = 16;
// The description column's width when the page is made, and the least it
// is given when the other columns take the room.
constexpr int kDescriptionWidth = 160;
constexpr int kNarrowestDescription = 40;
constexpr int kMarkerHeight = 10;
constexpr COLORREF kMarkerTransparent = RGB(255, 0, 255);
// Cells are drawn from at most this many bytes.
constexpr size_t kDrawnCellLength = 255;

// Dialog 106, the list page of the main window: it owns the rows the list
// control shows.
class ListPage final : public Dialog {
public:
    // Enter and Escape belong to the main window.
    explicit ListPage(PasswordList& list) : Dialog({IDOK, IDCANCEL}), rows(list) {}

    // The password list it shows, the main window's.
    PasswordList& rows;
    std::array<bool, kColumns> ascending{true, true, true};
    // While a sort moves the selection with its rows, the main window hears
    // nothing of it: the Select pane keeps what the user may be editing.
    bool sorting = false;
    BitmapHandle marker;
    BitmapHandle selectedMarker;
    // The markers' size on this screen, measured once.
    SIZE markerSize{kMarkerWidth, kMarkerHeight};
    AnchoredLayout layout;

private:
    BOOL onInitDialog() override;
    void onCancel() override {}
    void onCommand(int id, int code) override;
    std::optional<INT_PTR> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

ListPage& pageState(HWND page)
{
    return static_cast<ListPage&>(*Dialog::of(page));
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

BOOL ListPage::onInitDialog()
{
    HWND page = window();
    ListPage& state = *this;
    HWND list = GetDlgItem(page, IDC_LIST);
    insertColumn(list, 0, "user", scaledForScreen(93));
    insertColumn(list, 1, "pass", scaledForScreen(93));
    insertColumn(list, 2, "description", scaledForScreen(kDescriptionWidth));
    // Again, now that the columns exist to take their captions.
    applyTexts(page, IDD_LIST_PAGE);
    if (isFlagOn(settingsTable().get("show_pass"))) CheckDlgButton(page, IDC_SHOW_PASS_ON_LIST, BST_CHECKED);
    auto load = [](int id) {
        return BitmapHandle(static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTSIZE)));
    };
    state.markerSize = {scaledForScreen(kMarkerWidth), scaledForScreen(kMarkerHeight)};
    state.marker = load(IDB_ROW_MARKER);
    state.selectedMarker = load(IDB_ROW_MARKER_SELECTED);
    layout.attach(page, {{IDC_LIST, Anchor::Grow},
                         {IDC_GENERATE_IMAGE, Anchor::BottomLeft},
                         {IDC_SHOW_PASS_ON_LIST, Anchor::BottomLeft}});
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

// Drawn from the cell's own bytes: no copy of a password is made, unless
// the cell holds line breaks, which are shown as marks on its one line.
void drawCell(HDC dc, std::string_view text, int left, int right, const RECT& row)
{
    constexpr UINT kFormat = DT_END_ELLIPSIS | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    RECT cell{left, row.top, right, row.bottom};
    text = text.substr(0, kDrawnCellLength);
    if (text.find_first_of("\r\n") == std::string_view::npos) {
        drawText(dc, text, cell, kFormat);
        return;
    }
    std::string shown = withShownBreaks(text, lineBreakMark());
    drawText(dc, shown, cell, kFormat);
    wipeString(shown);
}

// A cell as the page shows it, read where the list keeps it: a password is
// as many stars, in `stars`, unless the box shows passwords. No copy of a
// password is made.
std::string_view shownCell(HWND page, int row, int column, std::string& stars)
{
    if (row < 0 || column < 0) return {};
    const std::string_view cell = pageState(page).rows.cell(static_cast<size_t>(row), static_cast<size_t>(column));
    if (column != 1 || IsDlgButtonChecked(page, IDC_SHOW_PASS_ON_LIST) == BST_CHECKED) return cell;
    stars.assign(cell.size(), '*');
    return stars;
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

    // A selection the list shows while another control has the focus looks
    // other than one it is working on.
    const bool focused = GetFocus() == list;
    FillRect(item->hDC, &area, GetSysColorBrush(!selected ? COLOR_MENU : focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    drawMarker(item->hDC, area, selected ? state.selectedMarker.get() : state.marker.get(), state.markerSize);
    SetBkMode(item->hDC, TRANSPARENT);

    const int width0 = ListView_GetColumnWidth(list, 0);
    const int width1 = ListView_GetColumnWidth(list, 1);
    const int width2 = ListView_GetColumnWidth(list, 2);
    std::string stars;
    drawCell(item->hDC, shownCell(page, row, 0, stars), area.left + state.markerSize.cx, area.left + width0, area);
    drawCell(item->hDC, shownCell(page, row, 1, stars), area.left + width0, area.left + width0 + width1, area);
    drawCell(item->hDC, shownCell(page, row, 2, stars), area.left + width0 + width1,
             area.left + width0 + width1 + width2, area);
    if (focused && (item->itemState & ODS_FOCUS)) DrawFocusRect(item->hDC, &area);
    return TRUE;
}

// The last column takes whatever room the other two leave, so the list
// needs no scroll bar across; it is narrowed before the list is, which
// would otherwise take on a scroll bar for the width it is about to lose.
void resizeList(HWND list, const AnchoredLayout& layout)
{
    const int narrowest = scaledForScreen(kNarrowestDescription);
    ListView_SetColumnWidth(list, kColumns - 1, narrowest);
    layout.apply();
    RECT client{};
    GetClientRect(list, &client);
    const int rest = client.right - ListView_GetColumnWidth(list, 0) - ListView_GetColumnWidth(list, 1);
    ListView_SetColumnWidth(list, kColumns - 1, std::max(rest, narrowest));
}

// Sorts by the column's cells as drawn, keeping the order of equal cells;
// the selected rows and the focus go with their rows.
void sortRows(HWND page, HWND list, int column)
{
    auto& state = pageState(page);
    const bool ascending = state.ascending[static_cast<size_t>(column)];
    const std::vector<size_t> moved = state.rows.sortBy(static_cast<size_t>(column), ascending, kDrawnCellLength);

    const std::vector<int> selected = selectedRows(list);
    const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
    state.sorting = true;
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    for (int row : selected) {
        ListView_SetItemState(list, static_cast<int>(moved[static_cast<size_t>(row)]), LVIS_SELECTED, LVIS_SELECTED);
    }
    if (focused >= 0) {
        ListView_SetItemState(list, static_cast<int>(moved[static_cast<size_t>(focused)]), LVIS_FOCUSED, LVIS_FOCUSED);
    }
    state.sorting = false;
    state.ascending[static_cast<size_t>(column)] = !ascending;
    InvalidateRect(list, nullptr, TRUE);
}

// Texts the control asks for itself (accessibility, tooltips): a password
// shows as stars, as on the screen.
void onGetDisplayInfo(HWND page, NMLVDISPINFOA* info)
{
    if (!(info->item.mask & LVIF_TEXT) || !info->item.pszText || info->item.cchTextMax <= 0) return;
    std::string stars;
    const std::string_view text = shownCell(page, info->item.iItem, info->item.iSubItem, stars);
    const size_t copied = std::min(text.size(), static_cast<size_t>(info->item.cchTextMax - 1));
    std::copy_n(text.data(), copied, info->item.pszText);
    info->item.pszText[copied] = '\0';
}

INT_PTR onNotify(HWND page, LPARAM lParam)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom == IDC_LIST && (header->code == NM_SETFOCUS || header->code == NM_KILLFOCUS)) {
        InvalidateRect(header->hwndFrom, nullptr, TRUE);
    }
    if (header->idFrom == IDC_LIST && header->code == LVN_COLUMNCLICK) {
        const int column = reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem;
        if (column >= 0 && column < kColumns) sortRows(page, header->hwndFrom, column);
    }
    if (header->idFrom == IDC_LIST && header->code == LVN_GETDISPINFOA) {
        onGetDisplayInfo(page, reinterpret_cast<NMLVDISPINFOA*>(lParam));
        return TRUE;
    }
    if (header->idFrom == IDC_LIST && pageState(page).sorting) return FALSE;
    return forwardNotify(page, lParam);
}

void ListPage::onCommand(int id, int code)
{
    if (id == IDC_SHOW_PASS_ON_LIST) InvalidateRect(item(IDC_LIST), nullptr, TRUE);
    forwardCommand(window(), id, code);
}

std::optional<INT_PTR> ListPage::onMessage(UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_DRAWITEM) return onDrawItem(window(), reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    if (message == WM_NOTIFY) return onNotify(window(), lParam);
    if (message == WM_SIZE) {
        resizeList(item(IDC_LIST), layout);
        return TRUE;
    }
    return std::nullopt;
}

}  // namespace

PasswordList& listOf(HWND listPage)
{
    return pageState(listPage).rows;
}

HWND createListPage(HWND parent, PasswordList& list)
{
    return createOwnedDialog(parent, IDD_LIST_PAGE, std::make_unique<ListPage>(list));
}

}  // namespace tessaly
