#include "shell/commands.h"

#include <commctrl.h>

#include <optional>

#include "cipher/password_generator.h"
#include "cipher/system_crypto.h"
#include "platform/secure_wipe.h"
#include "resources/corvale_ids.h"
#include "settings/message_box.h"
#include "settings/settings.h"
#include "shell/find_dialog.h"
#include "shell/main_window.h"
#include "shell/password_list.h"

namespace tessaly {

namespace {

// A new password in the Add pane's password field.
void onGeneratePassword(HWND window)
{
    const PasswordRecipe recipe = passwordRecipe(settingsTable().get("gen_length"), settingsTable().get("gen_symbols"));
    std::string password;
    if (!generatePassword(recipe, systemRandomBytes, password)) {
        showTranslatedMessage(window, "cannot_generate_password", "error", MB_OK | MB_ICONERROR);
        return;
    }
    SetDlgItemTextA(window, IDC_ADD_PASS, password.c_str());
    wipeString(password);
}

void onFind(HWND window)
{
    runFindDialog(window);
}

void onFindNext(HWND window)
{
    if (mainWindowState(window).lastSearch.empty()) {
        runFindDialog(window);
    } else {
        findNextRow(window, window);
    }
}

}  // namespace

void findNextRow(HWND window, HWND messageOwner)
{
    const auto& state = mainWindowState(window);
    HWND list = listControl(listPage(window));
    const int selected = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    const auto found = state.list.findNext(state.lastSearch,
                                           selected >= 0 ? std::optional<size_t>(selected) : std::nullopt);
    if (!found) {
        showTranslatedMessage(messageOwner, "not_found", "warning", MB_OK | MB_ICONINFORMATION);
        return;
    }
    selectRows(list, {static_cast<int>(*found)});
    if (mainWindowState(window).currentPage != listPage(window)) showPage(window, kListPage);
}

std::vector<Command> editCommands()
{
    return {
        {ID_EDIT_GENERATE_PASSWORD, onGeneratePassword},
        {ID_EDIT_FIND, onFind},
        {ID_EDIT_FIND_NEXT, onFindNext},
    };
}

}  // namespace tessaly
