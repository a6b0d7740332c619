#include "shell/csv_preview_dialog.h"

#include <commctrl.h>

#include <algorithm>

#include "controls/dialog.h"
#include "platform/dpi.h"
#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/language.h"

namespace tessaly {

namespace {

// Enough to see that the columns came out right.
constexpr size_t kRowsShown = 50;
// A password's length is no business of the preview.
constexpr char kMaskedPassword[] = "********";

void insertColumn(HWND list, int index, int width)
{
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH | LVCF_SUBITEM;
    column.cx = width;
    column.iSubItem = index;
    SendMessageA(list, LVM_INSERTCOLUMNA, index, reinterpret_cast<LPARAM>(&column));
}

void setCell(HWND list, int row, int column, const std::string& text)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(list, column == 0 ? LVM_INSERTITEMA : LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

class CsvPreviewDialog final : public Dialog {
public:
    CsvPreviewDialog(const CsvImport& imported, const std::string& summary)
        : Dialog({IDC_OK, IDC_CANCEL}), imported_(imported), summary_(summary)
    {
    }

private:
    BOOL onInitDialog() override
    {
        HWND list = item(IDC_PREVIEW_LIST);
        insertColumn(list, 0, scaledForScreen(120));
        insertColumn(list, 1, scaledForScreen(90));
        insertColumn(list, 2, scaledForScreen(240));
        // Again, now that the columns exist to take their captions.
        applyTexts(window(), IDD_CSV_PREVIEW);
        const std::string from = imported_.layout.empty() ? translate("csv_layout_generic")
                                                          : formatName(translate("csv_layout"), imported_.layout);
        SetDlgItemTextA(window(), IDC_PREVIEW_SUMMARY, (summary_ + ".\r\n" + from).c_str());
        const size_t shown = std::min(kRowsShown, imported_.entries.size());
        for (size_t row = 0; row < shown; ++row) {
            const PasswordEntry& entry = imported_.entries[row];
            const int at = static_cast<int>(row);
            setCell(list, at, 0, entry.user);
            setCell(list, at, 1, entry.pass.empty() ? std::string() : kMaskedPassword);
            setCell(list, at, 2, entry.description);
        }
        return TRUE;
    }
    void onOk() override { end(IDOK); }
    void onCancel() override { end(IDCANCEL); }

    const CsvImport& imported_;
    const std::string& summary_;
};

}  // namespace

bool runCsvPreviewDialog(HWND owner, const CsvImport& imported, const std::string& summary)
{
    CsvPreviewDialog dialog(imported, summary);
    return runModalDialog(owner, IDD_CSV_PREVIEW, dialog) == IDOK;
}

}  // namespace tessaly
