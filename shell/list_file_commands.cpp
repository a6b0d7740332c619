#include "shell/commands.h"

#include <algorithm>
#include <string>

#include "controls/file_dialog.h"
#include "image/progress_window.h"
#include "formats/list_file.h"
#include "formats/sealed_headers.h"
#include "platform/secure_wipe.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "settings/message_box.h"
#include "shell/main_window.h"
#include "shell/open_protected_list_dialog.h"
#include "shell/password_list.h"
#include "shell/protect_list_dialog.h"
#include "formats/protected_list_file.h"

namespace tessaly {

namespace {

constexpr int kProtectedListType = 2;

void tell(HWND window, const char* key, UINT icon = MB_ICONERROR)
{
    showTranslatedMessage(window, key, icon == MB_ICONERROR ? "error" : "warning", MB_OK | icon);
}

void tellResult(HWND window, ProtectedListResult result)
{
    switch (result) {
    case ProtectedListResult::WrongPassword:
        tell(window, "wrong_password", MB_ICONWARNING);
        break;
    case ProtectedListResult::CannotWrite:
        tell(window, "cannot_save_file");
        break;
    case ProtectedListResult::Unavailable:
        tell(window, "system_crypto_unavailable");
        break;
    case ProtectedListResult::Done:
    case ProtectedListResult::Cancelled:
        break;
    }
}

// Deriving the key takes a good part of a second: the progress window keeps
// the main window painted meanwhile.
template <typename Work>
ProtectedListResult runBehindProgress(HWND window, const char* status, Work work)
{
    ProtectedListResult result = ProtectedListResult::Unavailable;
    (void)runWithProgressWindow(window, [&](WorkerReport& report) {
        report.setStatus(status);
        result = work(report.cancelFlag());
        // Deriving the key cannot be stopped; what it gave is dropped.
        if (report.cancelled()) result = ProtectedListResult::Cancelled;
        return WorkerOutcome::Finished;
    });
    return result;
}

void saveProtected(HWND window, const std::string& path, const std::vector<PasswordEntry>& entries)
{
    std::string password;
    if (!askNewListPassword(window, password)) return;
    const ProtectedListResult result =
        runBehindProgress(window, "protecting_list", [&](const std::atomic<bool>& cancelled) {
            return saveProtectedList(path, entries, password, &cancelled);
        });
    wipeString(password);
    tellResult(window, result);
}

void onSaveList(HWND window)
{
    char path[MAX_PATH] = {};
    const int type = showFileDialog(window, path, translate("save_file"),
                                    {{translate("pass_list"), "*.slc"}, {translate("protected_list"), "*.slp"}}, ".slc",
                                    true);
    if (type == 0) return;
    std::vector<PasswordEntry> entries = collectEntries(listControl(listPage(window)), false);
    if (type == kProtectedListType || hasProtectedListExtension(path)) {
        saveProtected(window, path, entries);
    } else if (!saveListFile(path, entries)) {
        tell(window, "cannot_save_file");
    }
    wipePasswords(entries);
}

// Asks for the password until the file opens or the user gives up; a wrong
// password says so and asks again.
bool openProtected(HWND window, const ProtectedListFile& file, DecodedList& list)
{
    if (file.status != HeaderStatus::Read) {
        tell(window, "damaged_protected_list");
        return false;
    }
    for (;;) {
        std::string password;
        if (!askListPassword(window, password)) return false;
        const ProtectedListResult result = runBehindProgress(window, "opening_list", [&](const std::atomic<bool>&) {
            return openProtectedList(file.parts, password, list);
        });
        wipeString(password);
        if (result == ProtectedListResult::Done) return true;
        wipePasswords(list.entries);
        list = DecodedList();
        tellResult(window, result);
        if (result != ProtectedListResult::WrongPassword) return false;
    }
}

// Shows a long list's rows a chunk at a time behind the progress window,
// so the window keeps answering and Cancel is heard; false when Cancel
// stopped it.
bool appendWithProgress(HWND window, const std::vector<PasswordEntry>& entries)
{
    constexpr size_t kRowsAtOnce = 2000;
    HWND page = listPage(window);
    const WorkerEnd result = runWithProgressWindow(window, [&](WorkerReport& report) {
        report.setStatus("loading_list");
        report.progress().start(entries.size());
        for (size_t at = 0; at < entries.size(); at += kRowsAtOnce) {
            const size_t count = std::min(kRowsAtOnce, entries.size() - at);
            if (report.cancelled()) return WorkerOutcome::Cancelled;
            report.onWindowThread([&] { appendEntries(page, entries.data() + at, count); });
            if (!report.progress().advance(count)) return WorkerOutcome::Cancelled;
        }
        return WorkerOutcome::Finished;
    });
    return result == WorkerEnd::Ran;
}

// A list long enough to take more than a moment to show goes in behind the
// progress window; after a Cancel the list, the fields and the pictures are
// as they were. False when Cancel stopped it.
bool showEntries(HWND window, const std::vector<PasswordEntry>& entries)
{
    constexpr size_t kRowsShownAtOnce = 20000;
    HWND page = listPage(window);
    if (entries.size() <= kRowsShownAtOnce) {
        clearAll(window);
        appendEntries(page, entries);
        return true;
    }
    std::vector<PasswordEntry> before = collectEntries(listControl(page), false);
    clearEntries(page);
    const bool shown = appendWithProgress(window, entries);
    if (shown) {
        clearFieldsAndPictures(window);
    } else {
        clearEntries(page);
        appendEntries(page, before);
    }
    wipePasswords(before);
    return shown;
}

// The whole file is read as a plain list, or opened when it is a protected
// one. Nothing is cleared before the file was read (and opened) whole.
bool readList(HWND window, const std::string& path, DecodedList& list)
{
    ProtectedListFile file;
    const ListFileStatus status = loadListFile(path, list.entries, &file);
    list.damaged = status == ListFileStatus::Damaged;
    // A name the program gives only to protected files: one without the
    // protected header was changed since, and its bytes are no list.
    if (status != ListFileStatus::Protected && status != ListFileStatus::CannotOpen &&
        hasProtectedListExtension(path)) {
        wipePasswords(list.entries);
        tell(window, "damaged_protected_list");
        return false;
    }
    if (status == ListFileStatus::CannotOpen) {
        tell(window, "cannot_open_file");
        return false;
    }
    if (status != ListFileStatus::Protected) return true;
    return openProtected(window, file, list);
}

void onLoadList(HWND window)
{
    char path[MAX_PATH] = {};
    const std::vector<FileType> types = {{translate("all_list_files"), "*.slc;*.slp"},
                                         {translate("pass_list"), "*.slc"},
                                         {translate("protected_list"), "*.slp"}};
    if (!showFileDialog(window, path, translate("open_file"), types, ".slc", false)) return;
    DecodedList list;
    if (readList(window, path, list) && showEntries(window, list.entries)) {
        showPage(window, kListPage);
        if (list.damaged) {
            showTranslatedMessage(window, "list_file_damaged", static_cast<long long>(list.entries.size()), "warning",
                                  MB_OK | MB_ICONWARNING);
        }
    }
    wipePasswords(list.entries);
}

}  // namespace

std::vector<Command> listFileCommands()
{
    return {
        {ID_FILE_LOAD_LIST, onLoadList},
        {ID_FILE_SAVE_LIST, onSaveList},
    };
}

}  // namespace tessaly
