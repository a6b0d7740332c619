#include "shell/commands.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "formats/protected_list_file.h"
#include "image/progress_window.h"
#include "platform/file_paths.h"
#include "platform/secure_wipe.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "settings/message_box.h"
#include "shell/key_derivation.h"
#include "shell/main_window.h"
#include "shell/open_protected_list_dialog.h"
#include "shell/password_list.h"

namespace tessaly {

namespace {

// Every control of the main window goes out of sight but what offers to
// unlock; the pages go with the tab control.
void hideContent(HWND window, MainWindowState::LockedList& locked)
{
    HWND status = GetDlgItem(window, IDC_STATUS_BAR);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child) || child == status) continue;
        ShowWindow(child, SW_HIDE);
        locked.hidden.push_back(child);
    }
    ShowWindow(GetDlgItem(window, IDC_LOCKED_TEXT), SW_SHOW);
    ShowWindow(GetDlgItem(window, IDC_UNLOCK), SW_SHOW);
    SetFocus(GetDlgItem(window, IDC_UNLOCK));
}

void showContent(HWND window, const MainWindowState::LockedList& locked)
{
    ShowWindow(GetDlgItem(window, IDC_UNLOCK), SW_HIDE);
    ShowWindow(GetDlgItem(window, IDC_LOCKED_TEXT), SW_HIDE);
    for (HWND child : locked.hidden) ShowWindow(child, SW_SHOW);
}

// The passphrase gives the key again with the kept salt; the list comes back
// exactly: rows, order, selection and unsaved changes.
ProtectedListResult openLocked(HWND window, const std::string& password, DecodedList& list, SealKey& key)
{
    const auto& state = mainWindowState(window);
    ProtectedListFile file;
    file.take(state.locked->file);
    ProtectedListResult result = ProtectedListResult::Unavailable;
    (void)runWithProgressWindow(window, [&](WorkerReport& report) {
        report.setStatus("opening_list");
        if (file.status != HeaderStatus::Read) return WorkerOutcome::Finished;
        const DerivationEnd derived = deriveBehind(report, password, state.listSeal, key);
        if (derived == DerivationEnd::Cancelled) result = ProtectedListResult::Cancelled;
        if (derived != DerivationEnd::Derived) return WorkerOutcome::Finished;
        result = openProtectedList(file.parts, key, list);
        return WorkerOutcome::Finished;
    });
    return result;
}

void onLock(HWND window)
{
    lockList(window);
}

void onUnlock(HWND window)
{
    (void)unlockList(window);
}

}  // namespace

void lockList(HWND window)
{
    auto& state = mainWindowState(window);
    SealKey key;
    if (state.locked || !state.listKey.reveal(key)) return;
    MainWindowState::LockedList locked;
    if (sealListFile(state.list.entries(), key, state.listSeal, locked.file) != ProtectedListResult::Done) {
        showTranslatedMessage(window, "system_crypto_unavailable", "error", MB_OK | MB_ICONERROR);
        return;
    }
    locked.modified = state.list.modified();
    locked.selected = selectedRows(listControl(listPage(window)));
    state.paneRow.reset();
    clearEntries(listPage(window));
    emptyPanes(window);
    // The readable picture can be generated again; the encrypted one shows
    // nothing.
    picturePublisher(state, kImagePage)(BitmapHandle());
    state.listKey.forget();
    state.clipboard.clearIfOursWithin(window);
    hideContent(window, locked);
    state.locked = std::move(locked);
    showStatus(window, translate("status_locked"));
}

bool unlockList(HWND window)
{
    auto& state = mainWindowState(window);
    if (!state.locked) return true;
    const std::string name(fileNameOf(state.listPath));
    for (;;) {
        std::string password;
        if (!askListPassword(window, password, name)) return false;
        DecodedList list;
        SealKey key;
        const ProtectedListResult result = openLocked(window, password, list, key);
        wipeString(password);
        if (result == ProtectedListResult::Done) {
            appendEntries(listPage(window), list.entries);
            if (!state.locked->modified) state.list.markUnmodified();
            state.listKey.keep(key, state.listSeal.iterations, state.listSeal.salt.data());
            showContent(window, *state.locked);
            selectRows(listControl(listPage(window)), state.locked->selected);
            state.locked.reset();
            showStatus(window, "");
            return true;
        }
        // Cancel leaves the list locked, without a word.
        if (result == ProtectedListResult::Cancelled) return false;
        const bool wrong = result == ProtectedListResult::WrongPassword;
        showTranslatedMessage(window, wrong ? "wrong_password" : "system_crypto_unavailable",
                              wrong ? "warning" : "error", MB_OK | (wrong ? MB_ICONWARNING : MB_ICONERROR));
        if (!wrong) return false;
    }
}

std::vector<Command> lockCommands()
{
    return {
        {ID_FILE_LOCK, onLock},
        {IDC_UNLOCK, onUnlock},
    };
}

}  // namespace tessaly
