#include "shell/commands.h"

#include "controls/file_dialog.h"
#include "formats/csv_list.h"
#include "platform/text_codec.h"
#include "image/progress_window.h"
#include "platform/file_io.h"
#include "platform/secure_wipe.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "settings/message_box.h"
#include "shell/changed_entries_text.h"
#include "shell/csv_preview_dialog.h"
#include "shell/main_window.h"
#include "shell/password_list.h"

namespace tessaly {

namespace {

bool askCsvFile(HWND window, char (&path)[MAX_PATH], bool save)
{
    return showFileDialog(window, path, translate(save ? "save_file" : "open_file"), translate("csv_file"), "*.csv",
                          ".csv", save);
}

// Larger than any export of a password list; reading more would only fill
// memory.
constexpr uint64_t kLargestCsvFile = 64ull << 20;

// What reading a CSV file came to, on the worker's side.
struct CsvRead {
    enum class Failure { None, CannotOpen, TooLarge, OutOfMemory };
    Failure failure = Failure::None;
    CsvImport import;
};

void readCsvFile(const std::string& path, CsvRead& read)
{
    const auto size = fileSizeOf(path);
    if (!size) {
        read.failure = CsvRead::Failure::CannotOpen;
        return;
    }
    if (*size > kLargestCsvFile) {
        read.failure = CsvRead::Failure::TooLarge;
        return;
    }
    std::string bytes;
    try {
        if (!readWholeFile(path, bytes)) {
            read.failure = CsvRead::Failure::CannotOpen;
            return;
        }
        read.import = readCsvList(bytes, systemTextCodec());
    } catch (const std::bad_alloc&) {
        read.import = CsvImport();
        read.failure = CsvRead::Failure::OutOfMemory;
    }
    wipeString(bytes);
}

// Says why the file added nothing; false when it adds its entries.
bool refusedCsv(HWND window, const CsvRead& read)
{
    switch (read.failure) {
    case CsvRead::Failure::CannotOpen:
        showTranslatedMessage(window, "cannot_open_file", "error", MB_OK | MB_ICONERROR);
        return true;
    case CsvRead::Failure::TooLarge:
        showTranslatedMessage(window, "csv_too_large", static_cast<long long>(kLargestCsvFile >> 20), "error",
                              MB_OK | MB_ICONERROR);
        return true;
    case CsvRead::Failure::OutOfMemory:
        showTranslatedMessage(window, "csv_out_of_memory", "error", MB_OK | MB_ICONERROR);
        return true;
    case CsvRead::Failure::None:
        break;
    }
    const char* key = nullptr;
    switch (read.import.problem) {
    case CsvProblem::None:
        return false;
    case CsvProblem::BrokenQuoting:
        key = "csv_broken_quoting";
        break;
    case CsvProblem::TooManyFields:
    case CsvProblem::TooManyEntries:
        key = "csv_too_many";
        break;
    case CsvProblem::NoHeader:
    case CsvProblem::MissingColumn:
        key = "csv_missing_column";
        break;
    case CsvProblem::ZeroByte:
        key = "csv_zero_byte";
        break;
    case CsvProblem::FieldTooLong:
        key = "csv_field_too_long";
        break;
    case CsvProblem::NoEntries:
        showTranslatedMessage(window, "csv_no_entries", "warning", MB_OK | MB_ICONWARNING);
        return true;
    }
    showTranslatedMessage(window, key, static_cast<long long>(read.import.problemLine), "error", MB_OK | MB_ICONERROR);
    return true;
}

// How many come (or came, once `added`), and what was left out or chosen
// on the way.
std::string importSummary(const CsvImport& imported, bool added)
{
    const auto count = static_cast<long long>(imported.entries.size());
    const auto changed = static_cast<long long>(imported.changed.count);
    const char* key = changed > 0 ? (added ? "status_imported_changed" : "csv_entries_found_changed")
                                  : (added ? "status_imported" : "csv_entries_found");
    std::string summary = formatIntegers(translate(key), {count, changed});
    if (imported.skippedRows > 0) {
        summary += "; " +
                   formatIntegers(translate("status_rows_skipped"), {static_cast<long long>(imported.skippedRows)});
    }
    if (imported.repeatedColumns) summary += "; " + translate("status_repeated_columns");
    return summary;
}

// The file's entries go after the list's; it is read behind the progress
// window, and one that cannot be read whole adds nothing, the list as it was.
void onImportCsv(HWND window)
{
    char path[MAX_PATH] = {};
    if (!askCsvFile(window, path, false)) return;
    const std::string file = path;
    CsvRead read;
    const WorkerEnd end = runWithProgressWindow(window, [&file, &read](WorkerReport& report) {
        report.setStatus("reading_csv");
        readCsvFile(file, read);
        return WorkerOutcome::Finished;
    });
    if (end == WorkerEnd::Cancelled || refusedCsv(window, read)) return;
    if (!runCsvPreviewDialog(window, read.import, importSummary(read.import, false))) return;
    // A file that reads holds entries: the picture no longer shows the list.
    const CsvImport& imported = read.import;
    mainWindowState(window).imageOutOfDate = true;
    appendEntries(listPage(window), imported.entries);
    showStatus(window, importSummary(imported, true));
    showPage(window, kListPage);
    // Which entries lost characters to the code page, and whether a user name
    // or a password did: such a password no longer opens what it opened.
    if (imported.changed.count > 0) warnOfChangedEntries(window, "csv_entries_changed", imported.changed);
}

void onExportCsv(HWND window)
{
    if (showTranslatedMessage(window, "export_csv_warning", "warning", MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
    char path[MAX_PATH] = {};
    if (!askCsvFile(window, path, true)) return;
    std::vector<PasswordEntry> entries = collectEntries(listControl(listPage(window)), false);
    std::string bytes = writeCsvList(entries, systemTextCodec());
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
