// libFuzzer target for the CSV reader: any bytes are read within their
// bounds, and a list read from them is written and read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "formats/csv_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tessaly::StoredTextCodec same;
    same.fromUtf8 = [](std::string_view text, bool&) { return std::string(text); };
    same.toUtf8 = [](std::string_view text) { return std::string(text); };
    same.fromUtf16 = [](std::u16string_view text) { return std::string(text.begin(), text.end()); };
    same.fromLegacy = same.toUtf8;
    same.toLegacy = same.fromUtf8;
    const tessaly::CsvImport read = tessaly::readCsvList(std::string_view(reinterpret_cast<const char*>(data), size),
                                                         same);
    if (read.problem != tessaly::CsvProblem::None) {
        if (!read.entries.empty() || read.problemLine == 0) std::abort();
        return 0;
    }
    const tessaly::CsvImport again = tessaly::readCsvList(tessaly::writeCsvList(read.entries, same), same);
    if (again.problem != tessaly::CsvProblem::None || !(again.entries == read.entries)) std::abort();
    return 0;
}
