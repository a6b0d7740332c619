#include "formats/csv_list.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/secure_wipe.h"
#include "platform/utf8_text.h"

namespace tessaly {

namespace {

constexpr std::string_view kUtf16ByteOrderMark = "\xFF\xFE";
// KeePass 2 writes this header, and escapes quotes and backslashes inside
// its quoted fields with a backslash.
constexpr std::string_view kKeePassHeader = R"("Account","Login Name","Password","Web Site","Comments")";

// The units of little-endian UTF-16 bytes; an odd last byte is no unit.
std::u16string unitsOf(std::string_view bytes)
{
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t at = 0; at < units.size(); ++at) {
        units[at] = static_cast<char16_t>(static_cast<uint8_t>(bytes[2 * at]) | static_cast<uint8_t>(bytes[2 * at + 1])
                                                                                    << 8);
    }
    return units;
}

// Hands each record of the text to `take` in turn, a list of fields with
// the line it starts on, and wipes the fields after; `take` may stop the
// reading by answering a problem. Only one record is held at a time, so a
// file's size bounds what reading it takes.
using RecordTaker = std::function<CsvProblem(std::vector<std::string>& fields, size_t line)>;

struct Stop {
    CsvProblem problem = CsvProblem::None;
    size_t line = 0;
};

// How a file quotes: RFC 4180's doubled quotes, or with `backslashEscapes`
// (KeePass 2) a backslash before a quote or a backslash inside quotes.
struct Quoting {
    char separator = ',';
    bool backslashEscapes = false;
};

Stop forEachRecord(std::string_view text, Quoting quoting, const RecordTaker& take)
{
    const char separator = quoting.separator;
    std::vector<std::string> fields(1);
    size_t line = 1, recordLine = 1;
    bool quoted = false, afterQuote = false;
    const auto wipeFields = [&] {
        for (auto& field : fields) wipeString(field);
    };
    const auto stop = [&](CsvProblem problem, size_t at) {
        wipeFields();
        return Stop{problem, at};
    };
    // A line holding nothing at all is no record.
    const auto endRecord = [&] {
        CsvProblem problem = CsvProblem::None;
        if (fields.size() > 1 || !fields[0].empty() || afterQuote) problem = take(fields, recordLine);
        wipeFields();
        fields.assign(1, std::string());
        afterQuote = false;
        return problem;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // A zero byte would end the field at the next load, and a field of
        // megabytes is no password list's: neither comes in cut.
        if (c == '\0') return stop(CsvProblem::ZeroByte, line);
        if (fields.back().size() > kMaxCsvFieldBytes) return stop(CsvProblem::FieldTooLong, recordLine);
        if (quoted) {
            if (quoting.backslashEscapes && c == '\\' && i + 1 < text.size()) {
                fields.back() += text[++i];
            } else if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
                afterQuote = true;
            } else {
                if (c == '\n') ++line;
                fields.back() += c;
            }
        } else if (c == separator) {
            if (fields.size() == kMaxCsvFields) return stop(CsvProblem::TooManyFields, recordLine);
            fields.emplace_back();
            afterQuote = false;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            if (const CsvProblem problem = endRecord(); problem != CsvProblem::None) return {problem, recordLine};
            ++line;
            recordLine = line;
        } else if (afterQuote) {
            return stop(CsvProblem::BrokenQuoting, line);
        } else if (c == '"') {
            if (!fields.back().empty()) return stop(CsvProblem::BrokenQuoting, line);
            quoted = true;
        } else {
            fields.back() += c;
        }
    }
    if (quoted) return stop(CsvProblem::BrokenQuoting, recordLine);
    if (fields.back().size() > kMaxCsvFieldBytes) return stop(CsvProblem::FieldTooLong, recordLine);
    if (const CsvProblem problem = endRecord(); problem != CsvProblem::None) return {problem, recordLine};
    return {};
}

std::string trimmed(std::string_view name)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!name.empty() && blank(name.front())) name.remove_prefix(1);
    while (!name.empty() && blank(name.back())) name.remove_suffix(1);
    return std::string(name);
}

// A header's name as compared: in lower case, and the German and French
// names SecureSafe writes as the English ones.
std::string columnName(std::string_view name)
{
    std::string lower = trimmed(name);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    static const std::pair<const char*, const char*> kTranslated[] = {{"titel", "title"},
                                                                      {"titre", "title"},
                                                                      {"benutzername", "username"},
                                                                      {"nom d'utilisateur", "username"},
                                                                      {"passwort", "password"},
                                                                      {"mot de passe", "password"},
                                                                      {"kommentar", "comment"},
                                                                      {"commentaire", "comment"}};
    for (const auto& [local, english] : kTranslated) {
        if (lower == local) return english;
    }
    return lower;
}

// SecureSafe may write every header name and value between slashes.
bool slashed(std::string_view text)
{
    return text.size() >= 2 && text.front() == '/' && text.back() == '/';
}

// In place, so that no copy of a password is left behind.
void removeSlashes(std::vector<std::string>& row)
{
    for (auto& field : row) {
        if (!slashed(field)) continue;
        const size_t inner = field.size() - 2;
        std::copy(field.begin() + 1, field.end() - 1, field.begin());
        std::fill(field.begin() + static_cast<std::ptrdiff_t>(inner), field.end(), '\0');
        field.resize(inner);
    }
}

// A column the reader knows by its role: every position of the header
// that bears its name (some exports repeat a name), the first non-empty
// cell of a row winning.
using Column = std::vector<size_t>;

// The positions of the first of `names` that the header has, taken from
// `unused`.
Column columnOf(const std::vector<std::string>& header, std::initializer_list<const char*> names,
                std::vector<bool>& unused)
{
    Column column;
    for (const char* name : names) {
        for (size_t at = 0; at < header.size(); ++at) {
            if (header[at] == name) column.push_back(at);
        }
        if (!column.empty()) break;
    }
    for (size_t at : column) unused[at] = false;
    return column;
}

struct Columns {
    Column user, email, pass, description, title, address, notes, otp;
    // The kind of item, where an export has several (Proton Pass's aliases).
    Column kind;
    // The header's names as compared, as written, and the columns no role
    // took: custom fields, folders, a realm, told in the description by
    // their names as written.
    std::vector<std::string> names;
    std::vector<std::string> labels;
    std::vector<size_t> others;
    bool repeated = false;
};

// What an export holds besides its entries, which the list has no use for.
bool isBookkeeping(const std::string& name)
{
    for (const char* kept : {"fav",
                             "favorite",
                             "favourite",
                             "guid",
                             "id",
                             "uuid",
                             "type",
                             "createtime",
                             "modifytime",
                             "timecreated",
                             "timelastused",
                             "timepasswordchanged",
                             "formactionorigin",
                             "matchurl",
                             "vault",
                             "last_used",
                             "created",
                             "modified",
                             "icon",
                             "last modified",
                             "archived"}) {
        if (name == kept) return true;
    }
    return name.empty();
}

// The exporters whose whole header is known, by the names it holds, in order.
std::string layoutOf(const std::vector<std::string>& names)
{
    struct Layout {
        const char* name;
        std::vector<std::string> header;
        bool orMore = false;
    };
    static const std::vector<Layout> layouts{
        {"KeePass 2", {"account", "login name", "password", "web site", "comments"}},
        {"LastPass", {"url", "username", "password", "totp", "extra", "name", "grouping", "fav"}},
        {"RoboForm", {"name", "url", "matchurl", "login", "pwd", "note", "folder", "rffieldsv2"}},
        {"Bitwarden",
         {"folder", "favorite", "type", "name", "notes", "fields", "reprompt", "login_uri", "login_username",
          "login_password", "login_totp"}},
        {"Dashlane",
         {"username", "username2", "username3", "title", "password", "note", "url", "category", "otpsecret"}},
        {"Chrome", {"name", "url", "username", "password", "note"}},
        {"Chrome", {"name", "url", "username", "password"}},
        {"Firefox",
         {"url", "username", "password", "httprealm", "formactionorigin", "guid", "timecreated", "timelastused",
          "timepasswordchanged"}},
        {"Apple Passwords", {"title", "url", "username", "password", "notes", "otpauth"}},
        {"1Password", {"title", "url", "username", "password", "otpauth", "favorite", "archived", "tags", "notes"}},
        {"Proton Pass",
         {"type", "name", "url", "email", "username", "password", "note", "totp", "createtime", "modifytime", "vault"}},
        {"Proton Pass", {"type", "name", "url", "email", "username", "password", "note", "totp", "vault"}},
        // Later versions add columns after these.
        {"NordPass", {"name", "url", "username", "password", "note", "cardholdername", "cardnumber"}, true},
        {"SecureSafe", {"title", "username", "password", "url", "comment"}},
        // Later versions add columns after these.
        {"KeePassXC", {"group", "title", "username", "password", "url", "notes"}, true},
    };
    for (const Layout& layout : layouts) {
        const bool starts = names.size() >= layout.header.size() &&
                            std::equal(layout.header.begin(), layout.header.end(), names.begin());
        if (starts && (layout.orMore || names.size() == layout.header.size())) return layout.name;
    }
    return {};
}

Columns columnsOf(const std::vector<std::string>& row)
{
    Columns columns;
    for (const auto& name : row) {
        columns.names.push_back(columnName(name));
        columns.labels.push_back(trimmed(name));
    }
    const auto& header = columns.names;
    std::vector<bool> unused(header.size(), true);
    columns.user = columnOf(header, {"username", "user name", "login name", "login_username", "login", "user"}, unused);
    columns.email = columnOf(header, {"email", "e-mail", "email address"}, unused);
    columns.pass = columnOf(header, {"password", "login_password", "pass", "pwd"}, unused);
    columns.description = columnOf(header, {"description"}, unused);
    columns.title = columnOf(header, {"title", "name", "account"}, unused);
    columns.address = columnOf(header, {"url", "login_uri", "web site", "website"}, unused);
    columns.notes = columnOf(header, {"notes", "note", "comments", "comment", "extra"}, unused);
    columns.kind = columnOf(header, {"type"}, unused);
    columns.otp = columnOf(header, {"totp", "otp", "otpauth", "otpsecret", "login_totp", "one-time code", "tfc:keeper"},
                           unused);
    for (const Column* column : {&columns.user, &columns.email, &columns.pass, &columns.description, &columns.title,
                                 &columns.address, &columns.notes, &columns.otp}) {
        columns.repeated = columns.repeated || column->size() > 1;
    }
    for (size_t at = 0; at < header.size(); ++at) {
        if (unused[at] && !isBookkeeping(header[at])) columns.others.push_back(at);
    }
    return columns;
}

// How the rows of a file are read: by the header's names, or as the two
// exports that write no header of names do.
enum class RowShape { Named, Keeper, Enpass };

// A row of one of those laid out as a header of names and a row under it.
struct NamedRow {
    std::vector<std::string> names;
    std::vector<std::string> values;
    void add(std::string name, std::string& value)
    {
        names.push_back(std::move(name));
        values.push_back(value);
        wipeString(value);
    }
};

// Keeper writes no header: folder, title, login, password, address, notes,
// shared folder, then each custom field as its name and value (a one-time
// password's secret under "TFC:Keeper").
NamedRow keeperRow(std::vector<std::string>& row)
{
    static const char* const kFixed[] = {"Folder", "Title", "Login", "Password", "URL", "Notes", "Shared folder"};
    constexpr size_t kFixedCount = sizeof kFixed / sizeof kFixed[0];
    NamedRow named;
    for (size_t at = 0; at < row.size() && at < kFixedCount; ++at) named.add(kFixed[at], row[at]);
    for (size_t at = kFixedCount; at + 1 < row.size(); at += 2) named.add(row[at], row[at + 1]);
    return named;
}

// Enpass writes the title, then each field as its label and value, and the
// note last, where it makes the row's length even.
NamedRow enpassRow(std::vector<std::string>& row)
{
    NamedRow named;
    if (row.empty()) return named;
    named.add("Title", row[0]);
    const bool note = row.size() % 2 == 0;
    const size_t pairsEnd = note ? row.size() - 1 : row.size();
    for (size_t at = 1; at + 1 < pairsEnd; at += 2) named.add(row[at], row[at + 1]);
    if (note) named.add("Note", row.back());
    return named;
}

// Whether a header names none of the columns the reader knows.
bool namesNothingKnown(const Columns& columns)
{
    for (const Column* column : {&columns.user, &columns.email, &columns.pass, &columns.description, &columns.title,
                                 &columns.address, &columns.notes, &columns.otp}) {
        if (!column->empty()) return false;
    }
    return true;
}

// A copy of the column's first non-empty cell; the cells' own characters
// are wiped, as a short string moved from would keep them.
template <typename Text = std::string>
Text cell(std::vector<std::string>& row, const Column& column)
{
    Text value;
    for (size_t at : column) {
        if (at >= row.size()) continue;
        if (value.empty()) value = Text{std::string_view(row[at])};
        wipeString(row[at]);
    }
    return value;
}

// The row's user name, or its e-mail address where it has none; an address
// beside another user name is `second`.
std::string userOf(std::vector<std::string>& row, const Columns& columns, std::string& second)
{
    std::string user = cell(row, columns.user);
    std::string email = cell(row, columns.email);
    if (user.empty()) return email;
    if (email != user) second = std::move(email);
    return user;
}

// The description, the title, the address, a second user name, the notes,
// the one-time password's secret and every other field by its name, joined
// in that order: nothing the row says is dropped.
std::string descriptionOf(std::vector<std::string>& row, const Columns& columns, const std::string& second,
                          const std::string& notes)
{
    std::string joined = cell(row, columns.description);
    const auto add = [&joined](std::string_view label, const std::string& part) {
        if (part.empty()) return;
        if (!joined.empty()) joined += " - ";
        joined.append(label).append(part);
    };
    add("", cell(row, columns.title));
    add("", cell(row, columns.address));
    add("", second);
    add("", notes);
    add("otp: ", cell(row, columns.otp));
    for (size_t at : columns.others) add(columns.labels[at] + ": ", cell(row, Column{at}));
    return joined;
}

CsvImport failed(CsvProblem problem, size_t line)
{
    CsvImport result;
    result.problem = problem;
    result.problemLine = line;
    return result;
}

void appendField(std::string& out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

CsvImport readCsvList(std::string_view bytes, const StoredTextCodec& codec)
{
    // Spreadsheets save "Unicode text" as UTF-16 with a byte order mark.
    std::string fromUtf16;
    if (bytes.substr(0, kUtf16ByteOrderMark.size()) == kUtf16ByteOrderMark && codec.fromUtf16) {
        std::u16string units = unitsOf(bytes.substr(kUtf16ByteOrderMark.size()));
        fromUtf16 = codec.fromUtf16(units);
        if (!units.empty()) secureWipe(&units[0], units.size() * sizeof(char16_t));
        bytes = fromUtf16;
    }
    if (bytes.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark)
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
    const bool utf8 = isValidUtf8(bytes);
    const std::string_view headerLine = bytes.substr(0, bytes.find_first_of("\r\n"));
    const auto holds = [&headerLine](char c) { return headerLine.find(c) != std::string_view::npos; };
    const char separator = holds(',') ? ',' : holds(';') ? ';' : holds('\t') ? '\t' : ',';
    CsvImport result;
    std::optional<Columns> columns;
    const Quoting quoting{separator, headerLine == kKeePassHeader};
    RowShape shape = RowShape::Named;
    bool slashes = false;
    const auto addRow = [&](std::vector<std::string>& row, const Columns& columns) {
        if (result.entries.size() == kMaxCsvEntries) return CsvProblem::TooManyEntries;
        std::string second;
        std::string user = userOf(row, columns, second);
        SecretText pass = cell<SecretText>(row, columns.pass);
        const std::string notes = cell(row, columns.notes);
        // A folder, say: nobody to log in as, nothing to log in with, nothing
        // to read; or an e-mail alias, an address with no password to it.
        const bool alias = columnName(cell(row, columns.kind)) == "alias" && pass.empty();
        if ((user.empty() && pass.empty() && notes.empty()) || alias) {
            ++result.skippedRows;
            return CsvProblem::None;
        }
        PasswordEntry entry{std::move(user), std::move(pass), descriptionOf(row, columns, second, notes)};
        if (utf8) {
            convertEntry(entry, codec.fromUtf8, result.changed);
        } else {
            // Text a spreadsheet saved in the PC's code page.
            convertEntry(entry, codec.fromLegacy);
        }
        result.entries.push_back(std::move(entry));
        return CsvProblem::None;
    };
    const auto addPairs = [&](NamedRow named) {
        const Columns rowColumns = columnsOf(named.names);
        result.repeatedColumns = result.repeatedColumns || rowColumns.repeated;
        const CsvProblem problem = addRow(named.values, rowColumns);
        for (auto& value : named.values) wipeString(value);
        return problem;
    };
    const Stop stop = forEachRecord(bytes, quoting, [&](std::vector<std::string>& row, size_t) {
        if (!columns) {
            slashes = !row.empty() && std::all_of(row.begin(), row.end(), slashed);
            if (slashes) removeSlashes(row);
            columns = columnsOf(row);
            result.repeatedColumns = columns->repeated;
            result.layout = layoutOf(columns->names);
            const auto& names = columns->names;
            if (names.size() >= 3 && names[0] == "title" && names[1] == "field" && names[2] == "value") {
                shape = RowShape::Enpass;
                result.layout = "Enpass";
                return CsvProblem::None;
            }
            const bool named = (!columns->user.empty() || !columns->email.empty()) && !columns->pass.empty();
            if (named) return CsvProblem::None;
            // Keeper's first six columns are a login's own; custom fields may bear any name.
            constexpr size_t kKeeperColumns = 6;
            if (row.size() < kKeeperColumns ||
                !namesNothingKnown(columnsOf({row.begin(), row.begin() + kKeeperColumns}))) {
                return CsvProblem::MissingColumn;
            }
            // No header at all: Keeper's rows, the first of them this one.
            shape = RowShape::Keeper;
            result.layout = "Keeper";
            result.repeatedColumns = false;
            return addPairs(keeperRow(row));
        }
        if (shape == RowShape::Keeper) return addPairs(keeperRow(row));
        if (shape == RowShape::Enpass) return addPairs(enpassRow(row));
        if (slashes) removeSlashes(row);
        return addRow(row, *columns);
    });
    wipeString(fromUtf16);
    if (stop.problem != CsvProblem::None) return failed(stop.problem, stop.line);
    if (!columns) return failed(CsvProblem::NoHeader, 1);
    if (result.entries.empty()) return failed(CsvProblem::NoEntries, 2);
    return result;
}

std::string writeCsvList(const std::vector<PasswordEntry>& entries, const StoredTextCodec& codec)
{
    struct Converted {
        std::string description;
        std::string user;
        SecretText pass;
    };
    std::vector<Converted> converted;
    converted.reserve(entries.size());
    size_t size = 64;
    for (const auto& entry : entries) {
        converted.push_back(
            {codec.toUtf8(entry.description), codec.toUtf8(entry.user), secretFrom(codec.toUtf8(entry.pass))});
        const Converted& last = converted.back();
        size += 2 * (last.description.size() + last.user.size() + last.pass.size()) + 16;
    }
    // Made in one allocation, so no outgrown copy of a password is freed.
    std::string out;
    out.reserve(size);
    out += kUtf8ByteOrderMark;
    out += "name,url,username,password,note\r\n";
    for (auto& [description, user, pass] : converted) {
        // A name a spreadsheet would take for a formula (one that sends the
        // password column away, say) is written as text. User names and
        // passwords stay exact, so that importing gives them back.
        if (!description.empty() && std::string_view("=+-@\t\r").find(description.front()) != std::string_view::npos) {
            description.insert(0, 1, '\'');
        }
        appendField(out, description);
        out += ",,";
        appendField(out, user);
        out += ',';
        appendField(out, pass);
        out += ",\r\n";
    }
    return out;
}

}  // namespace tessaly
