// Makes the pictures of the user guide: drives Corvale's real windows
// in-process, and a self-extracting file as its own process, through the
// journey of one list, and saves each step's window as a bitmap file in the
// folder given on the command line (`make docs` turns them into PNG files).
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "resources/corvale_ids.h"
#include "resources/peekstub_ids.h"
#include "settings/settings.h"
#include "shell/main_window.h"
#include "shell/password_list.h"
#include "tests/support/gui_test.h"
#include "tests/support/program_process.h"
#include "tests/support/temp_folder.h"

namespace {

using namespace tessaly;
using testing::DialogResponder;
using testing::pumpFor;

std::string shots;

void save(HWND window, const char* name)
{
    pumpFor(300);
    testing::saveWindowBitmap(window, shots + "\\" + name + ".bmp");
    std::printf("  %s\n", name);
}

// Once the progress window is gone and the main window takes commands
// again, every window the command opened has closed.
void waitForTheCommandToEnd(HWND main, int timeoutMs = 5000)
{
    testing::pumpUntil(
        [&] { return !testing::threadWindowWithItem(GetCurrentThreadId(), IDC_PROGRESS_BAR) && IsWindowEnabled(main); },
        timeoutMs);
    pumpFor(300);
}

// The window titled `title`, filled by `prepare`, saved as shot `name`,
// then ended with `buttonId`.
testing::DialogStep shotOf(const char* title, const char* name, const std::function<void(HWND)>& prepare, int buttonId)
{
    return {title, [=](HWND dialog) {
                if (prepare) prepare(dialog);
                Sleep(400);
                testing::saveWindowBitmap(dialog, shots + "\\" + name + ".bmp");
                std::printf("  %s\n", name);
                testing::pressButton(dialog, buttonId);
            }};
}

// Runs command `id`, answering the windows it opens with `steps`.
void runCommand(HWND main, int id, std::vector<testing::DialogStep> steps, int timeoutMs = 5000)
{
    DialogResponder responder(std::move(steps));
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    responder.finish();
    waitForTheCommandToEnd(main, timeoutMs);
}

// Saves the window a command opens, then lets `buttonId` end it.
void command(HWND main, int id, const char* title, const char* name, const std::function<void(HWND)>& prepare,
             int buttonId)
{
    runCommand(main, id, {shotOf(title, name, prepare, buttonId)});
}

void addEntry(HWND main, const char* user, const char* pass, const char* description)
{
    SetDlgItemTextA(main, IDC_ADD_USER, user);
    SetDlgItemTextA(main, IDC_ADD_PASS, pass);
    SetDlgItemTextA(main, IDC_ADD_DESCRIPTION, description);
    SendMessageA(main, WM_COMMAND, IDC_ADD, 0);
}

void fillPasswords(HWND dialog)
{
    SetDlgItemTextA(dialog, IDC_PASSWORD, "a long pass phrase");
    SetDlgItemTextA(dialog, IDC_PASSWORD_REPEAT, "a long pass phrase");
}

// The passphrase of the list saved above, typed into the unlock dialog.
void fillPassphrase(HWND dialog)
{
    SetDlgItemTextA(dialog, IDC_PASSWORD, "a long pass phrase");
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PASSWORD, EN_CHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_PASSWORD)));
}

void viewerShots(const std::string& exe)
{
    testing::ProgramProcess stub(exe);
    HWND prompt = stub.waitForWindow("Corvale Stub");
    if (!prompt) return;
    SetForegroundWindow(prompt);
    pumpFor(300);
    testing::typeText("a long pass phrase");
    save(prompt, "08-sfx-prompt");
    testing::pressKey(VK_RETURN, false);
    testing::pressKey(VK_RETURN, true);
    testing::pumpUntil([&] { return !IsWindowVisible(prompt); }, 20000);
    HWND viewer = stub.waitForWindow("Corvale Stub");
    if (!viewer) return;
    SetForegroundWindow(viewer);
    pumpFor(500);
    // Keypad + grows the disc by 5 pixels: 20 to 60, to read a few words.
    for (int press = 0; press < 8; ++press) {
        testing::pressKey(VK_ADD, false);
        testing::pressKey(VK_ADD, true);
    }
    HWND picture = GetDlgItem(viewer, IDC_VIEWER_PICTURE);
    POINT at{120, 60};
    ClientToScreen(picture, &at);
    SetCursorPos(at.x, at.y);
    PostMessageA(viewer, WM_MOUSEMOVE, 0, MAKELPARAM(120, 60));
    save(viewer, "09-sfx-viewer");
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    stub.waitForExit();
}

// Opens the main window's Edit menu with its keys and saves the window with
// the menu over it, from a thread of its own: the menu's loop holds the
// window's thread until Escape closes it.
void editMenuShot(HWND main, const char* name)
{
    SetForegroundWindow(main);
    pumpFor(200);
    struct Shot {
        HWND window;
        const char* name;
    } shot{main, name};
    HANDLE shooter = CreateThread(
        nullptr, 0,
        [](void* parameter) -> DWORD {
            const auto* shot = static_cast<const Shot*>(parameter);
            HWND window = shot->window;
            HWND menu = nullptr;
            for (int wait = 0; wait < 50 && !(menu = FindWindowA("#32768", nullptr)); ++wait) Sleep(100);
            Sleep(300);
            RECT area{}, popup{};
            GetWindowRect(window, &area);
            if (menu && GetWindowRect(menu, &popup)) {
                area.right = std::max(area.right, popup.right);
                area.bottom = std::max(area.bottom, popup.bottom);
            }
            testing::saveScreenArea(area, shots + "\\" + shot->name + ".bmp");
            testing::pressKey(VK_ESCAPE, false);
            testing::pressKey(VK_ESCAPE, true);
            testing::pressKey(VK_ESCAPE, false);
            testing::pressKey(VK_ESCAPE, true);
            return 0;
        },
        &shot, 0, nullptr);
    testing::pressKey(VK_MENU, false);
    testing::pressKey('E', false);
    testing::pressKey('E', true);
    testing::pressKey(VK_MENU, true);
    testing::pumpUntil([&] { return WaitForSingleObject(shooter, 0) == WAIT_OBJECT_0; }, 10000);
    CloseHandle(shooter);
    std::printf("  %s\n", name);
    pumpFor(300);
}

// Save List under a protected name: the file dialog is answered, the
// passphrase dialog saved with its fields filled, and the file written;
// deriving the key takes a while.
void protectListShot(HWND main, const std::string& path)
{
    const auto fill = [](HWND dialog) {
        fillPasswords(dialog);
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PASSWORD, EN_CHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_PASSWORD)));
    };
    runCommand(main, ID_FILE_SAVE_LIST,
               {testing::chooseFileIn("Save file", path), shotOf("Protect the list", "13-protect-list", fill, IDC_OK)},
               20000);
}

// Import CSV with `path` chosen, its preview saved and cancelled.
void importPreviewShot(HWND main, const std::string& path)
{
    runCommand(main, ID_FILE_IMPORT_CSV,
               {testing::chooseFileIn("Open file", path),
                shotOf("Import CSV", "19-import-preview", nullptr, IDC_CANCEL)});
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: user_guide_shots OUTPUT_FOLDER LANGUAGE_FOLDER\n");
        return 2;
    }
    shots = argv[1];
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    testing::TempFolder folder;
    std::filesystem::create_directory(folder.file("lang"));
    for (const char* name : {"default.lang", "spanish.lang", "russian.lang"}) {
        std::filesystem::copy_file(std::string(argv[2]) + "\\" + name, folder.file("lang\\") + name);
    }
    SetCurrentDirectoryA(folder.path().c_str());
    HWND main = createMainWindow();
    SetForegroundWindow(main);
    pumpFor(300);

    addEntry(main, "alice@mail.example", "correct horse battery", "Mail account");
    addEntry(main, "bob.smith", "Tr0ub4dor&3", "Bank");
    SetDlgItemTextA(main, IDC_ADD_USER, "carol");
    SetDlgItemTextA(main, IDC_ADD_PASS, "s3cret!!");
    SetDlgItemTextA(main, IDC_ADD_DESCRIPTION, "Shop");
    save(main, "01-entries-typed");
    SendMessageA(main, WM_COMMAND, IDC_ADD, 0);
    save(main, "02-list-page");

    command(main, IDC_GENERATE_IMAGE, "Generate BMP", "03-generate", nullptr, IDC_OK);
    HWND imagePage = mainWindowState(main).pages[kImagePage];
    // The largest disc, so that the picture shows a few words through it.
    HWND slider = GetDlgItem(imagePage, IDC_SPOTLIGHT_SIZE);
    SendMessageA(slider, TBM_SETPOS, TRUE, 60);
    SendMessageA(imagePage, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 60), reinterpret_cast<LPARAM>(slider));
    POINT at{90, 50};
    ClientToScreen(GetDlgItem(imagePage, IDC_PICTURE), &at);
    SetCursorPos(at.x, at.y);
    PostMessageA(imagePage, WM_MOUSEMOVE, 0, 0);
    save(main, "04-spotlight");

    const std::string exe = folder.file("my list.exe");
    command(
        main, IDC_ENCRYPT, "Encrypt", "05-encrypt",
        [&](HWND dialog) {
            fillPasswords(dialog);
            CheckDlgButton(dialog, IDC_CREATE_EXE, BST_CHECKED);
            CheckDlgButton(dialog, IDC_SFX_GUARD, BST_CHECKED);
            SetDlgItemTextA(dialog, IDC_EXE_PATH, exe.c_str());
            EnableWindow(GetDlgItem(dialog, IDC_EXE_PATH), TRUE);
            EnableWindow(GetDlgItem(dialog, IDC_SFX_GUARD), TRUE);
        },
        IDC_OK);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    save(main, "06-encrypted-page");
    command(main, ID_OPTIONS, "Options", "07-options", nullptr, IDC_CANCEL);
    editMenuShot(main, "12-edit-menu");
    protectListShot(main, folder.file("my list.slp"));
    // The file dialog leaves the program's own folder current.
    SetCurrentDirectoryA(folder.path().c_str());
    showPage(main, kListPage);
    save(main, "14-title-with-file");
    addEntry(main, "dave", "unsaved one", "Forum");
    command(main, ID_FILE_NEW, "Unsaved changes", "15-save-question", nullptr, IDCANCEL);
    SendMessageA(main, WM_COMMAND, ID_FILE_LOCK, 0);
    save(main, "16-locked");
    command(main, IDC_UNLOCK, "Open the protected list - my list.slp", "17-unlock", fillPassphrase, IDC_OK);
    // Larger, the list shows more rows; the status line tells of a copy.
    HWND list = listControl(mainWindowState(main).pages[kListPage]);
    ListView_SetItemState(list, 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    SendMessageA(main, WM_COMMAND, ID_COPY_PASS, 0);
    RECT normal{};
    GetWindowRect(main, &normal);
    SetWindowPos(main, nullptr, 0, 0, 900, 560, SWP_NOZORDER | SWP_NOMOVE);
    pumpFor(200);
    save(main, "18-resized");
    SetWindowPos(main, nullptr, 0, 0, normal.right - normal.left, normal.bottom - normal.top,
                 SWP_NOZORDER | SWP_NOMOVE);
    // What an export from another store would bring, before it is added.
    const std::string exported = folder.file("from another store.csv");
    testing::writeFile(exported, "folder,favorite,type,name,notes,fields,reprompt,login_uri,login_username,"
                                 "login_password,login_totp\r\n"
                                 "Work,,login,Intranet,VPN first,,0,https://intra.example,j.doe,Corp!2024,\r\n"
                                 ",,login,Forum,,,0,https://forum.example,jdoe77,hunter22,JBSWY3DPEHPK3PXP\r\n");
    importPreviewShot(main, exported);
    // The file dialog leaves the program's own folder current.
    SetCurrentDirectoryA(folder.path().c_str());
    // The self-extracting file's windows alone on the screen.
    ShowWindow(main, SW_HIDE);
    viewerShots(exe);
    ShowWindow(main, SW_SHOW);

    settingsTable().set("lang_file", "lang\\spanish.lang");
    command(main, ID_OPTIONS, "Options", "10-options-spanish-chosen", nullptr, IDC_OK);
    showPage(main, kListPage);
    save(main, "11-spanish");

    // Entries in other scripts, and the program in a language of another.
    addEntry(main, "\xD0\xBE\xD0\xBB\xD1\x8C\xD0\xB3\xD0\xB0", "\xD0\xBF\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C-7",
             "\xD0\x9F\xD0\xBE\xD1\x87\xD1\x82\xD0\xB0");
    addEntry(main, "eleni", "\xCE\xBA\xCF\x89\xCE\xB4\xCE\xB9\xCE\xBA\xCF\x8C\xCF\x82",
             "\xCE\xA4\xCF\x81\xCE\xAC\xCF\x80\xCE\xB5\xCE\xB6\xCE\xB1");
    settingsTable().set("lang_file", "lang\\russian.lang");
    command(main, ID_OPTIONS, "Opciones", "20-options-russian-chosen", nullptr, IDC_OK);
    showPage(main, kListPage);
    save(main, "21-russian");
    DestroyWindow(main);
    SetCurrentDirectoryA("C:\\");
    return 0;
}
