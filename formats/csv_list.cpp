#include "formats/csv_list.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "platform/secure_wipe.h"

namespace tessaly {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// KeePass 2 writes this header, and escapes quotes and backslashes inside
// its quoted fields with a backslash.
constexpr std::string_view kKeePassHeader = R"("Account","Login Name","Password","Web Site","Comments")";

bool validUtf8(std::string_view bytes)
{
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<uint8_t>(bytes[i]);
        size_t more = 0;
        uint32_t value = 0, least = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            more = 1, value = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            more = 2, value = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            more = 3, value = lead & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (bytes.size() - i <= more) return false;
        for (size_t k = 1; k <= more; ++k) {
            const auto next = static_cast<uint8_t>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            value = value << 6 | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are no UTF-8.
        if (value < least || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) return false;
        i += more + 1;
    }
    return true;
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
    if (const CsvProblem problem = endRecord(); problem != CsvProblem::None) return {problem, recordLine};
    return {};
}

std::string columnName(std::string_view name)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!name.empty() && blank(name.front())) name.remove_prefix(1);
    while (!name.empty() && blank(name.back())) name.remove_suffix(1);
    std::string lower(name);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

// The first of `names` that the header has, as a column index.
std::optional<size_t> columnOf(const std::vector<std::string>& header, std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        const auto found = std::find(header.begin(), header.end(), name);
        if (found != header.end()) return static_cast<size_t>(found - header.begin());
    }
    return std::nullopt;
}

struct Columns {
    std::optional<size_t> user, email, pass, description, title, address, notes;
};

Columns columnsOf(const std::vector<std::string>& row)
{
    std::vector<std::string> header;
    for (const auto& name : row) header.push_back(columnName(name));
    Columns columns;
    columns.user = columnOf(header, {"username", "user name", "login name", "login_username", "login", "user"});
    columns.email = columnOf(header, {"email", "e-mail", "email address"});
    columns.pass = columnOf(header, {"password", "login_password", "pass", "pwd"});
    columns.description = columnOf(header, {"description"});
    columns.title = columnOf(header, {"title", "name", "account"});
    columns.address = columnOf(header, {"url", "login_uri", "web site", "website"});
    columns.notes = columnOf(header, {"notes", "note", "comments", "comment", "extra"});
    return columns;
}

// A copy of the cell, whose own characters are wiped: a short string moved
// from would keep them.
template <typename Text = std::string>
Text cell(std::vector<std::string>& row, std::optional<size_t> column)
{
    if (!column || *column >= row.size()) return {};
    Text value{std::string_view(row[*column])};
    wipeString(row[*column]);
    return value;
}

// A converted password, the conversion's own copy wiped.
SecretText secretFrom(std::string&& text)
{
    SecretText secret(text);
    wipeString(text);
    return secret;
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

// The description, or the title, the address, a second user name and the
// notes joined in that order: nothing the row says is dropped.
std::string descriptionOf(std::vector<std::string>& row, const Columns& columns, const std::string& second)
{
    std::string joined = cell(row, columns.description);
    const auto add = [&joined](const std::string& part) {
        if (part.empty()) return;
        if (!joined.empty()) joined += " - ";
        joined += part;
    };
    add(cell(row, columns.title));
    add(cell(row, columns.address));
    add(second);
    add(cell(row, columns.notes));
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

CsvImport readCsvList(std::string_view bytes, const CsvTextCodec& codec)
{
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
    const bool utf8 = validUtf8(bytes);
    const std::string_view headerLine = bytes.substr(0, bytes.find_first_of("\r\n"));
    const bool semicolons = headerLine.find(';') != std::string_view::npos &&
                            headerLine.find(',') == std::string_view::npos;
    CsvImport result;
    std::optional<Columns> columns;
    const Quoting quoting{semicolons ? ';' : ',', headerLine == kKeePassHeader};
    const Stop stop = forEachRecord(bytes, quoting, [&](std::vector<std::string>& row, size_t) {
        if (!columns) {
            columns = columnsOf(row);
            const bool named = (columns->user || columns->email) && columns->pass;
            return named ? CsvProblem::None : CsvProblem::MissingColumn;
        }
        if (result.entries.size() == kMaxCsvEntries) return CsvProblem::TooManyEntries;
        std::string second;
        std::string user = userOf(row, *columns, second);
        SecretText pass = cell<SecretText>(row, columns->pass);
        PasswordEntry entry{std::move(user), std::move(pass), descriptionOf(row, *columns, second)};
        if (utf8 && codec.fromUtf8) {
            bool replaced = false;
            entry.user = codec.fromUtf8(entry.user, replaced);
            entry.pass = secretFrom(codec.fromUtf8(entry.pass, replaced));
            entry.description = codec.fromUtf8(entry.description, replaced);
            if (replaced) ++result.changedEntries;
        }
        result.entries.push_back(std::move(entry));
        return CsvProblem::None;
    });
    if (stop.problem != CsvProblem::None) {
        return failed(stop.problem, stop.line);
    }
    if (!columns) return failed(CsvProblem::NoHeader, 1);
    return result;
}

std::string writeCsvList(const std::vector<PasswordEntry>& entries, const CsvTextCodec& codec)
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
    out += kByteOrderMark;
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
