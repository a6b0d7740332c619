#include "shell/commands.h"

#include "controls/file_dialog.h"
#include "formats/csv_list.h"
#include "formats/system_text_codec.h"
#include "platform/file_io.h"
#include "platform/secure_wipe.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "settings/message_box.h"
#include "shell/main_window.h"
#include "shell/password_list.h"

namespace tessaly {

namespace {

bool askCsvFile(HWND window, char (&path)[MAX_PATH], bool save)
{
    return showFileDialog(window, path, translate(save ? "save_file" : "open_file"), translate("csv_file"), "*.csv",
                          ".csv", save);
}

// The file's entries go after the list's; a file that cannot be read whole
// adds nothing.
void onImportCsv(HWND window)
{
    char path[MAX_PATH] = {};
    if (!askCsvFile(window, path, false)) return;
    std::string bytes;
    if (!readWholeFile(path, bytes)) {
        showTranslatedMessage(window, "cannot_open_file", "error", MB_OK | MB_ICONERROR);
        return;
    }
    CsvImport read = readCsvList(bytes, systemTextCodec());
    wipeString(bytes);
    if (read.problem != CsvProblem::None) {
        const char* key = read.problem == CsvProblem::BrokenQuoting ? "csv_broken_quoting" : "csv_missing_column";
        showTranslatedMessage(window, key, static_cast<long long>(read.problemLine), "error", MB_OK | MB_ICONERROR);
        return;
    }
    if (!read.entries.empty()) mainWindowState(window).imageOutOfDate = true;
    appendEntries(listPage(window), read.entries);
    const auto imported = static_cast<long long>(read.entries.size());
    const auto changed = static_cast<long long>(read.changedEntries);
    showStatus(window, changed > 0 ? formatIntegers(translate("status_imported_changed"), {imported, changed})
                                   : formatIntegers(translate("status_imported"), {imported}));
    wipePasswords(read.entries);
    showPage(window, kListPage);
    if (read.changedEntries > 0) {
        showTranslatedMessage(window, "csv_entries_changed", static_cast<long long>(read.changedEntries), "warning",
                              MB_OK | MB_ICONWARNING);
    }
}

void onExportCsv(HWND window)
{
    if (showTranslatedMessage(window, "export_csv_warning", "warning", MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    char path[MAX_PATH] = {};
    if (!askCsvFile(window, path, true)) return;
    std::vector<PasswordEntry> entries = collectEntries(listControl(listPage(window)), false);
    std::string bytes = writeCsvList(entries, systemTextCodec());
    wipePasswords(entries);
    if (!writeFileReplacing(path, bytes))
        showTranslatedMessage(window, "cannot_save_file", "error", MB_OK | MB_ICONERROR);
    wipeString(bytes);
}

}  // namespace

std::vector<Command> csvCommands()
{
    return {
        {ID_FILE_IMPORT_CSV, onImportCsv},
        {ID_FILE_EXPORT_CSV, onExportCsv},
    };
}

}  // namespace tessaly
