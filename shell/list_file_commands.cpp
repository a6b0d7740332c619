#include "shell/commands.h"

#include <algorithm>
#include <string>

#include "controls/file_dialog.h"
#include "image/progress_window.h"
#include "formats/list_file.h"
#include "formats/sealed_headers.h"
#include "platform/text_codec.h"
#include "platform/file_io.h"
#include "platform/file_paths.h"
#include "platform/secure_wipe.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "settings/message_box.h"
#include "settings/settings.h"
#include "shell/changed_entries_text.h"
#include "shell/key_derivation.h"
#include "shell/main_window.h"
#include "shell/open_protected_list_dialog.h"
#include "shell/password_list.h"
#include "shell/protect_list_dialog.h"
#include "formats/protected_list_file.h"

namespace tessaly {

namespace {

// The first type Save As offers.
constexpr int kProtectedListType = 1;

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
// the main window painted meanwhile, and its Cancel is heard at once.
template <typename Work>
ProtectedListResult runBehindProgress(HWND window, const char* status, Work work)
{
    ProtectedListResult result = ProtectedListResult::Unavailable;
    (void)runWithProgressWindow(window, [&](WorkerReport& report) {
        report.setStatus(status);
        result = work(report);
        // A file already written stays so: a Cancel then changes nothing.
        if (report.cancelled() && result != ProtectedListResult::Done) result = ProtectedListResult::Cancelled;
        return WorkerOutcome::Finished;
    });
    return result;
}

ProtectedListResult resultOf(DerivationEnd end)
{
    return end == DerivationEnd::Cancelled ? ProtectedListResult::Cancelled : ProtectedListResult::Unavailable;
}

// Where Save keeps the file it replaces, unless the user turned that off.
std::string previousVersionOf(const std::string& path)
{
    return settingsTable().get("keep_previous_version") == "false" ? std::string() : previousVersionPath(path);
}

// The list now is what `path` holds: its file, in its form, unmodified.
void takeFile(HWND window, const std::string& path, bool sealed)
{
    auto& state = mainWindowState(window);
    state.listPath = path;
    state.listSealed = sealed;
    state.list.markUnmodified();
    if (!path.empty()) rememberList(window, path);
}

// After a save: the list is now what `path` holds, and the status line says so.
void tookSavedFile(HWND window, const std::string& path, bool sealed)
{
    takeFile(window, path, sealed);
    showStatus(window, formatName(translate("status_saved"), fileNameOf(path)));
}

// Seals the list into `path` under the kept key: no passphrase, no
// derivation, a fresh nonce.
bool saveWithKeptKey(HWND window, const std::string& path)
{
    auto& state = mainWindowState(window);
    const ProtectedListResult result = runBehindProgress(window, "protecting_list", [&](WorkerReport& report) {
        SealKey key;
        if (!state.listKey.reveal(key)) return ProtectedListResult::Unavailable;
        return saveProtectedList(path, state.list.entries(), key, state.listSeal, previousVersionOf(path),
                                 &report.cancelFlag());
    });
    tellResult(window, result);
    return result == ProtectedListResult::Done;
}

// Asks for a new passphrase twice and seals the list into `path` under it,
// with a new salt; the key is kept for the next Save.
bool saveWithNewPassphrase(HWND window, const std::string& path)
{
    std::string password;
    if (!askNewListPassword(window, password)) return false;
    auto& state = mainWindowState(window);
    SealParameters parameters;
    SealKey key;
    const ProtectedListResult result = runBehindProgress(window, "protecting_list", [&](WorkerReport& report) {
        if (!newListSeal(parameters)) return ProtectedListResult::Unavailable;
        const DerivationEnd derived = deriveBehind(report, password, parameters, key);
        if (derived != DerivationEnd::Derived) return resultOf(derived);
        return saveProtectedList(path, state.list.entries(), key, parameters, previousVersionOf(path),
                                 &report.cancelFlag());
    });
    wipeString(password);
    tellResult(window, result);
    if (result != ProtectedListResult::Done) return false;
    state.listKey.keep(key, parameters.iterations, parameters.salt.data());
    state.listSeal = parameters;
    return true;
}

bool savePlain(HWND window, const std::string& path)
{
    if (saveListFile(path, mainWindowState(window).list.entries(), systemTextCodec(), previousVersionOf(path))) {
        return true;
    }
    tell(window, "cannot_save_file");
    return false;
}

enum class PlainForm { Keeps, NotSaved, ProtectInstead };

// The plain list file keeps its text in the PC's legacy code page: a list
// with a character outside it is not written with "?" in its place, and the
// protected form, which keeps any text, is offered instead.
PlainForm checkPlainForm(HWND window)
{
    const ChangedEntries outside = entriesOutsideListFile(mainWindowState(window).list.entries(), systemTextCodec());
    if (outside.count == 0) return PlainForm::Keeps;
    const std::string text = changedEntriesText(translate("plain_form_lacks_characters"), outside) + "\r\n\r\n" +
                             translate("save_protected_instead");
    const int answer = MessageBoxA(window, text.c_str(), translate("warning").c_str(), MB_YESNO | MB_ICONWARNING);
    return answer == IDYES ? PlainForm::ProtectInstead : PlainForm::NotSaved;
}

// Save As: a name and a type, asked; a name ending in .slp or .slc decides
// the form, otherwise the type does. A plain file is saved only once the user
// has agreed that it holds every password in plain text, and only when it
// can keep every character.
bool saveListAs(HWND window, const std::string& suggested)
{
    char path[MAX_PATH] = {};
    lstrcpynA(path, suggested.c_str(), MAX_PATH);
    const int type = showFileDialog(window, path, translate("save_file"),
                                    {{translate("protected_list"), "*.slp"}, {translate("pass_list"), "*.slc"}}, ".slp",
                                    true);
    if (type == 0) return false;
    const bool sealed = hasProtectedListExtension(path) || (!hasExtension(path, ".slc") && type == kProtectedListType);
    if (!sealed) {
        const PlainForm form = checkPlainForm(window);
        if (form == PlainForm::ProtectInstead) return saveListAs(window, withExtension(path, ".slp"));
        if (form == PlainForm::NotSaved) return false;
    }
    if (!sealed && showTranslatedMessage(window, "plain_save_warning", "warning", MB_YESNO | MB_ICONWARNING) != IDYES) {
        return false;
    }
    const bool saved = sealed ? saveWithNewPassphrase(window, path) : savePlain(window, path);
    if (!saved) return false;
    if (!sealed) mainWindowState(window).listKey.forget();
    tookSavedFile(window, path, sealed);
    return true;
}

// Save: to the list's file in its form, asking nothing; a protected list
// without a kept key asks for a new passphrase.
bool saveList(HWND window)
{
    auto& state = mainWindowState(window);
    if (state.listPath.empty()) return saveListAs(window, state.listPath);
    const std::string path = state.listPath;
    bool saved = false;
    if (!state.listSealed) {
        const PlainForm form = checkPlainForm(window);
        if (form == PlainForm::ProtectInstead) return saveListAs(window, withExtension(path, ".slp"));
        saved = form == PlainForm::Keeps && savePlain(window, path);
    } else if (state.listKey.held()) {
        saved = saveWithKeptKey(window, path);
    } else {
        saved = saveWithNewPassphrase(window, path);
    }
    if (saved) tookSavedFile(window, path, state.listSealed);
    return saved;
}

// Asks for the password until the file opens or the user gives up; a wrong
// password says so and asks again. `key` is the key that opened it.
bool openProtected(HWND window, const ProtectedListFile& file, DecodedList& list, SealKey& key)
{
    if (file.status != HeaderStatus::Read) {
        tell(window, "damaged_protected_list");
        return false;
    }
    for (;;) {
        std::string password;
        if (!askListPassword(window, password)) return false;
        const ProtectedListResult result = runBehindProgress(window, "opening_list", [&](WorkerReport& report) {
            const DerivationEnd derived = deriveBehind(report, password, file.parts.parameters, key);
            if (derived != DerivationEnd::Derived) return resultOf(derived);
            return openProtectedList(file.parts, key, list);
        });
        wipeString(password);
        if (result == ProtectedListResult::Done) {
            // Only before Windows 10 can the programs' text lack a character
            // of a protected list's.
            if (list.replaced.count > 0) warnOfChangedEntries(window, "list_entries_replaced", list.replaced);
            return true;
        }
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
// progress window; after a Cancel the list, its file, the fields and the
// pictures are as they were. False when Cancel stopped it.
bool showEntries(HWND window, const std::vector<PasswordEntry>& entries)
{
    constexpr size_t kRowsShownAtOnce = 20000;
    HWND page = listPage(window);
    if (entries.size() <= kRowsShownAtOnce) {
        clearAll(window);
        appendEntries(page, entries);
        return true;
    }
    PasswordList& list = mainWindowState(window).list;
    const bool wasModified = list.modified();
    std::vector<PasswordEntry> before = list.entries();
    mainWindowState(window).paneRow.reset();
    clearEntries(page);
    const bool shown = appendWithProgress(window, entries);
    if (shown) {
        clearFieldsAndPictures(window);
    } else {
        clearEntries(page);
        appendEntries(page, before);
        if (!wasModified) list.markUnmodified();
    }
    return shown;
}

// What Load List found in a file.
struct ReadList {
    DecodedList list;
    bool sealed = false;
    SealParameters seal;
    SealKey key;
};

// The whole file is read as a plain list, or opened when it is a protected
// one. Nothing is cleared before the file was read (and opened) whole.
bool readList(HWND window, const std::string& path, ReadList& read)
{
    ProtectedListFile file;
    DecodedList& list = read.list;
    const ListFileStatus status = loadListFile(path, list.entries, systemTextCodec(), &file);
    list.damaged = status == ListFileStatus::Damaged;
    // A name the program gives only to protected files: one without the
    // protected header was changed since, and its bytes are no list.
    if (status != ListFileStatus::Protected && status != ListFileStatus::CannotOpen &&
        hasProtectedListExtension(path)) {
        tell(window, "damaged_protected_list");
        return false;
    }
    if (status == ListFileStatus::CannotOpen) {
        tell(window, "cannot_open_file");
        return false;
    }
    // Not even one whole entry: another kind of file, not a damaged list.
    if (list.damaged && list.entries.empty()) {
        tell(window, "not_a_list", MB_ICONWARNING);
        return false;
    }
    if (status != ListFileStatus::Protected) return true;
    read.sealed = true;
    read.seal = file.parts.parameters;
    return openProtected(window, file, list, read.key);
}

}  // namespace

void openListFile(HWND window, const std::string& path)
{
    ReadList read;
    if (readList(window, path, read) && showEntries(window, read.list.entries)) {
        auto& state = mainWindowState(window);
        showPage(window, kListPage);
        // A damaged file is never overwritten unasked: the list has no file.
        takeFile(window, read.list.damaged ? std::string() : path, read.sealed && !read.list.damaged);
        if (read.sealed) {
            state.listKey.keep(read.key, read.seal.iterations, read.seal.salt.data());
            state.listSeal = read.seal;
        } else {
            state.listKey.forget();
        }
        if (read.list.damaged) {
            showTranslatedMessage(window, "list_file_damaged", static_cast<long long>(read.list.entries.size()),
                                  "warning", MB_OK | MB_ICONWARNING);
        }
    }
}

namespace {

void onLoadList(HWND window)
{
    if (!mayDiscardChanges(window)) return;
    char path[MAX_PATH] = {};
    const std::vector<FileType> types = {{translate("all_list_files"), "*.slc;*.slp"},
                                         {translate("pass_list"), "*.slc"},
                                         {translate("protected_list"), "*.slp"}};
    if (!showFileDialog(window, path, translate("open_file"), types, ".slc", false)) return;
    openListFile(window, path);
}

}  // namespace

bool mayDiscardChanges(HWND window)
{
    const auto& state = mainWindowState(window);
    if (!state.unsavedChanges()) return true;
    const bool locked = state.locked.has_value();
    const std::string name(fileNameOf(state.listPath));
    const int answer = name.empty() ? showTranslatedMessage(window, "save_changes_new", "save_changes_title",
                                                            MB_YESNOCANCEL | MB_ICONWARNING)
                                    : showTranslatedMessage(window, "save_changes_to", name, "save_changes_title",
                                                            MB_YESNOCANCEL | MB_ICONWARNING);
    if (answer == IDNO) return true;
    return answer == IDYES && (locked ? saveLockedList(window) : saveList(window));
}

bool mayLeaveList(HWND window, const char* questionKey, const char* captionKey)
{
    if (mainWindowState(window).list.modified()) return mayDiscardChanges(window);
    return showTranslatedMessage(window, questionKey, captionKey, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

bool saveLockedList(HWND window)
{
    auto& state = mainWindowState(window);
    if (!state.locked || state.listPath.empty()) return false;
    if (!writeFileReplacing(state.listPath, {state.locked->file}, previousVersionOf(state.listPath))) return false;
    state.locked->modified = false;
    return true;
}

std::vector<Command> listFileCommands()
{
    return {
        {ID_FILE_LOAD_LIST, onLoadList},
        {ID_FILE_SAVE, [](HWND window) { (void)saveList(window); }},
        {ID_FILE_SAVE_LIST, [](HWND window) { (void)saveListAs(window, mainWindowState(window).listPath); }},
    };
}

}  // namespace tessaly
