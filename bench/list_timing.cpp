// A timing program for the Windows build (run under Wine): list files of
// 10,000 and 100,000 entries, the codec alone next to loading the file into
// the list page's list control (shown) and saving the list again; and the
// same entries exported to a CSV file and imported from it, beside writing
// and reading the plain list file.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "resources/corvale_ids.h"
#include "formats/csv_list.h"
#include "formats/list_file.h"
#include "platform/text_codec.h"
#include "platform/file_io.h"
#include "shell/pages.h"
#include "shell/password_list.h"

namespace {

using tessaly::PasswordEntry;

using tessaly::bench::bestOf;
using tessaly::bench::secondsOf;

std::string randomText(std::mt19937& random, size_t minLength, size_t maxLength)
{
    std::string text(minLength + random() % (maxLength - minLength + 1), ' ');
    for (char& c : text) c = static_cast<char>(0x21 + random() % 94);
    return text;
}

std::vector<PasswordEntry> makeEntries(size_t count)
{
    std::mt19937 random(7);
    std::vector<PasswordEntry> entries;
    for (size_t i = 0; i < count; ++i) {
        entries.push_back({"user" + std::to_string(i) + randomText(random, 2, 10), randomText(random, 8, 20),
                           randomText(random, 10, 40)});
    }
    return entries;
}

void pump()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

INT_PTR CALLBACK ownerProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

bool runSize(HWND page, size_t count)
{
    const std::vector<PasswordEntry> entries = makeEntries(count);
    const std::string bytes = tessaly::encodeListFile(entries);
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "tessaly-list-timing.slc";
    const std::string copy = std::string(folder) + "tessaly-list-timing-copy.slc";
    if (!tessaly::saveListFile(path, entries, tessaly::systemTextCodec())) return false;

    const double decodeTime = bestOf([&] { tessaly::decodeListFile(bytes); });
    const double encodeTime = bestOf([&] { tessaly::encodeListFile(entries); });
    std::vector<PasswordEntry> loaded;
    const double readTime = bestOf([&] { (void)tessaly::loadListFile(path, loaded, tessaly::systemTextCodec()); });

    HWND list = tessaly::listControl(page);
    double showTime = 1e9;
    for (int repeat = 0; repeat < 3; ++repeat) {
        tessaly::clearEntries(page);
        pump();
        showTime = std::min(showTime, secondsOf([&] {
                                std::vector<PasswordEntry> fromFile;
                                (void)tessaly::loadListFile(path, fromFile, tessaly::systemTextCodec());
                                tessaly::appendEntries(page, fromFile);
                                UpdateWindow(list);
                                pump();
                            }));
    }
    const double saveTime = bestOf(
        [&] { (void)tessaly::saveListFile(copy, tessaly::collectEntries(list, false), tessaly::systemTextCodec()); });

    std::vector<PasswordEntry> saved;
    const bool same = tessaly::loadListFile(copy, saved, tessaly::systemTextCodec()) ==
                          tessaly::ListFileStatus::Loaded &&
                      saved == entries;
    DeleteFileA(path.c_str());
    DeleteFileA(copy.c_str());

    std::printf("%zu entries, %.1f MB\n", count, bytes.size() / 1e6);
    std::printf("  %-44s %8.1f ms\n", "codec: decode the bytes", decodeTime * 1e3);
    std::printf("  %-44s %8.1f ms\n", "codec: encode the entries", encodeTime * 1e3);
    std::printf("  %-44s %8.1f ms\n", "read and decode the file", readTime * 1e3);
    std::printf("  %-44s %8.1f ms  %9.0f rows/s  %5.1f x read and decode\n", "load into the list control and show",
                showTime * 1e3, count / showTime, showTime / readTime);
    std::printf("  %-44s %8.1f ms  %9.0f rows/s  %5.1f x encode\n", "collect the rows and save the file",
                saveTime * 1e3, count / saveTime, saveTime / encodeTime);
    std::printf("  %-44s %s\n", "saved rows equal the built ones", same ? "yes" : "NO");

    // CSV, through the system's code page conversions, against the list file.
    const tessaly::StoredTextCodec codec = tessaly::systemTextCodec();
    const std::string csv = std::string(folder) + "tessaly-list-timing.csv";
    const double writeListTime = bestOf(
        [&] { (void)tessaly::saveListFile(copy, entries, tessaly::systemTextCodec()); });
    const double exportTime = bestOf(
        [&] { (void)tessaly::writeFileReplacing(csv, tessaly::writeCsvList(entries, codec)); });
    tessaly::CsvImport imported;
    const double importTime = bestOf([&] {
        std::string csvBytes;
        (void)tessaly::readWholeFile(csv, csvBytes);
        imported = tessaly::readCsvList(csvBytes, codec);
    });
    const bool csvSame = imported.problem == tessaly::CsvProblem::None && imported.entries == entries;
    DeleteFileA(csv.c_str());
    DeleteFileA(copy.c_str());
    std::printf("  %-44s %8.1f ms\n", "write the list file", writeListTime * 1e3);
    std::printf("  %-44s %8.1f ms  %5.1f x write the list file\n", "export CSV (convert, write)", exportTime * 1e3,
                exportTime / writeListTime);
    std::printf("  %-44s %8.1f ms  %5.1f x read and decode\n", "import CSV (read, parse, convert)", importTime * 1e3,
                importTime / readTime);
    std::printf("  %-44s %s\n", "imported rows equal the built ones", csvSame ? "yes" : "NO");
    return same && csvSame;
}

// New (emptying the list) and the end of the program (the list page and its
// rows destroyed) with `count` rows in the list.
void clearAndCloseTimes(HWND owner, HWND page, size_t count)
{
    const std::vector<PasswordEntry> entries = makeEntries(count);
    tessaly::appendEntries(page, entries);
    pump();
    const double clearTime = secondsOf([&] {
        tessaly::clearEntries(page);
        pump();
    });
    tessaly::appendEntries(page, entries);
    pump();
    tessaly::PasswordList otherList;
    HWND other = tessaly::createListPage(owner, otherList);
    tessaly::appendEntries(other, entries);
    pump();
    const double closeTime = secondsOf([&] {
        DestroyWindow(other);
        pump();
    });
    tessaly::clearEntries(page);
    pump();
    std::printf("%zu entries: New %8.1f ms | the list page destroyed %8.1f ms\n", count, clearTime * 1e3,
                closeTime * 1e3);
}

}  // namespace

int main()
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND owner = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, ownerProc, 0);
    tessaly::PasswordList list;
    HWND page = tessaly::createListPage(owner, list);
    if (!owner || !page) {
        std::printf("cannot create the list page\n");
        return 1;
    }
    ShowWindow(owner, SW_SHOW);
    ShowWindow(page, SW_SHOW);
    pump();
    bool ok = true;
    for (size_t count : {10000u, 100000u, 1000000u}) ok = runSize(page, count) && ok;
    std::printf("New and the program's end (target: under 2 s at 1,000,000 entries):\n");
    for (size_t count : {100000u, 1000000u}) clearAndCloseTimes(owner, page, count);
    DestroyWindow(owner);
    return ok ? 0 : 1;
}
