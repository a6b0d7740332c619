#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "formats/list_file.h"
#include "formats/stored_text.h"

namespace tessaly {

enum class CsvProblem {
    None,
    NoHeader,
    MissingColumn,
    BrokenQuoting,
    TooManyFields,
    TooManyEntries,
    NoEntries,
    ZeroByte,
    FieldTooLong
};

// No exporter writes more fields to a record or more entries: a file that
// does is no password list, and reading it whole would only fill memory.
constexpr size_t kMaxCsvFields = 1000;
constexpr size_t kMaxCsvEntries = 1000000;
// A longer field is no password, name or note: a description of megabytes
// would hold the window up whenever its row is selected.
constexpr size_t kMaxCsvFieldBytes = 64 * 1024;

struct CsvImport {
    std::vector<PasswordEntry> entries;
    // Entries in which a character had to be replaced by the conversion.
    ChangedEntries changed;
    // Rows with no user name, password or notes (folders), left out.
    size_t skippedRows = 0;
    // A column name stood twice: the first non-empty cell of a row was taken.
    bool repeatedColumns = false;
    // The exporter whose layout the header is ("Bitwarden"), or empty.
    std::string layout;
    CsvProblem problem = CsvProblem::None;
    // The line (from 1) of the problem.
    size_t problemLine = 0;
};

// The entries of a CSV file as password stores, browsers and spreadsheets
// export them (RFC 4180): comma-separated, or semicolon- or tab-separated
// when the header line holds those and no comma; quoted fields may hold
// separators, line breaks and doubled quotes (KeePass 2's header: backslash
// escapes). The header names the columns, in any case and with blanks
// around: the user name (a row without one takes its e-mail address), the
// password, and the description, the title, the address, an e-mail address
// beside the user name, the notes, a one-time password's secret ("otp: ")
// and every other field by its name ("name: value"), joined by " - " in that
// order; an export's bookkeeping (times, ids) is left out, and so is a row
// with no user name, password or notes. UTF-16 with a byte order mark, UTF-8
// (with or without one) when the bytes are valid UTF-8, else the ANSI code
// page already. All or nothing: with a problem (a record of more than
// kMaxCsvFields fields, more than kMaxCsvEntries entries, or none at all
// among them), no entries. Only one record is held at a time.
CsvImport readCsvList(std::string_view bytes, const StoredTextCodec& codec);

// UTF-8 with a byte order mark, CRLF line ends and the header
// name,url,username,password,note, which the common password stores and
// browsers import: name is the description, url and note stay empty.
std::string writeCsvList(const std::vector<PasswordEntry>& entries, const StoredTextCodec& codec);

}  // namespace tessaly
