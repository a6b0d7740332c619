#include "shell/commands.h"

#include <commctrl.h>

#include "platform/secure_wipe.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "shell/main_window.h"
#include "shell/password_list.h"

namespace tessaly {

// The password never passes through a control that shows it.
void copySelectedCell(HWND window, int column)
{
    auto& state = mainWindowState(window);
    HWND list = listControl(listPage(window));
    const int row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0) return;
    std::string text = cellText(list, row, column);
    if (state.clipboard.copy(window, text)) {
        SetTimer(window, IDT_CLEAR_CLIPBOARD, state.clipboardClearMs, nullptr);
        // Named by the user name, whichever cell went.
        const std::string said = formatIntegers(translate(column == 0 ? "status_copied_user" : "status_copied_pass"),
                                                {static_cast<long long>(state.clipboardClearMs / 1000)});
        showStatus(window, formatName(said, cellText(list, row, 0)));
    }
    wipeString(text);
}

// While another program holds the clipboard open, the copy may not be
// emptied: the timer comes again shortly.
void onClipboardTimer(HWND window)
{
    constexpr UINT kRetryMs = 250;
    KillTimer(window, IDT_CLEAR_CLIPBOARD);
    if (!mainWindowState(window).clipboard.clearIfOurs(window)) {
        SetTimer(window, IDT_CLEAR_CLIPBOARD, kRetryMs, nullptr);
        return;
    }
    showStatus(window, translate("status_cleared"));
}

void showCopyMenu(HWND window)
{
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    AppendMenuA(menu, MF_STRING, ID_COPY_USER, translate("copy_user").c_str());
    AppendMenuA(menu, MF_STRING, ID_COPY_PASS, translate("copy_pass").c_str());
    POINT at{};
    GetCursorPos(&at);
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
    DestroyMenu(menu);
    if (chosen == ID_COPY_USER) copySelectedCell(window, 0);
    if (chosen == ID_COPY_PASS) copySelectedCell(window, 1);
}

std::vector<Command> clipboardCommands()
{
    return {
        {ID_COPY_USER, [](HWND window) { copySelectedCell(window, 0); }},
        {ID_COPY_PASS, [](HWND window) { copySelectedCell(window, 1); }},
    };
}

}  // namespace tessaly
