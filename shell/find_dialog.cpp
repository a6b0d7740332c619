#include "shell/find_dialog.h"

#include "controls/dialog.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"
#include "shell/commands.h"
#include "shell/main_window.h"

namespace tessaly {

namespace {

// One run of the dialog, on the stack of runFindDialog. OK is Find Next,
// which leaves the dialog open.
class FindDialog final : public Dialog {
public:
    explicit FindDialog(HWND mainWindow) : Dialog({IDC_OK, IDC_CANCEL}), mainWindow_(mainWindow) {}

private:
    BOOL onInitDialog() override
    {
        SetDlgItemTextA(window(), IDC_FIND_TEXT, mainWindowState(mainWindow_).lastSearch.c_str());
        SendDlgItemMessageA(window(), IDC_FIND_TEXT, EM_SETSEL, 0, -1);
        return TRUE;
    }
    void onOk() override
    {
        mainWindowState(mainWindow_).lastSearch = readWindowText(item(IDC_FIND_TEXT));
        findNextRow(mainWindow_, window());
    }
    void onCancel() override { end(0); }

    HWND mainWindow_;
};

}  // namespace

void runFindDialog(HWND mainWindow)
{
    FindDialog dialog(mainWindow);
    runModalDialog(mainWindow, IDD_FIND, dialog);
}

}  // namespace tessaly
