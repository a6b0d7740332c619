#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cipher/kept_key.h"
#include "controls/hyperlink_label.h"
#include "controls/keyboard_shortcuts.h"
#include "platform/win32_handles.h"
#include "controls/masked_password_field.h"
#include "formats/sealed_headers.h"
#include "shell/password_list_model.h"
#include "shell/picture_page.h"
#include "shell/secret_clipboard.h"

namespace tessaly {

// What the main window ends with, and so the program however it is left.
constexpr int kCorvaleExitCode = 153;
constexpr int kPageCount = 3;
// Tab indexes of the pages.
constexpr int kListPage = 0;
constexpr int kImagePage = 1;
constexpr int kEncryptedPage = 2;

// The two pictures the program holds. A slot owns its picture: replacing or
// clearing it deletes the picture it held.
struct PictureSlots {
    BitmapHandle plainImage;
    BitmapHandle encryptedImage;
};

// The main window's state. It is made when the window initialises and
// deleted with the window; the pages, dialogs and workers that the window
// starts are handed what they need of it.
struct MainWindowState {
    HWND window = nullptr;
    // The password list the list page shows, and the file it was loaded from
    // or last saved to (none yet when empty), plain or protected. A
    // protected list's key and seal parameters are kept while it is open.
    PasswordList list;
    std::string listPath;
    bool listSealed = false;
    KeptKey listKey;
    SealParameters listSeal;
    void forgetListFile()
    {
        listPath.clear();
        listSealed = false;
        listKey.forget();
    }
    // While the list is locked: the list as the bytes of a protected list
    // file under its key (so they can be written out as they are), the rows
    // that were selected, whether it had unsaved changes, and the controls
    // the lock hid.
    struct LockedList {
        std::string file;
        std::vector<int> selected;
        bool modified = false;
        std::vector<HWND> hidden;
    };
    std::optional<LockedList> locked;
    bool unsavedChanges() const { return list.modified() || (locked && locked->modified); }
    std::array<HWND, kPageCount> pages{};  // list, image, encrypted image: by tab index
    HWND currentPage = nullptr;
    PictureSlots pictures;
    bool imageOutOfDate = false;
    BrushHandle whiteBrush{CreateSolidBrush(RGB(255, 255, 255))};
    std::string webBase = "https://www.velmora.example/";
    // The site as the web links show it: the base without its closing slash,
    // which the help pages' paths need.
    std::string siteAddress() const { return webBase.substr(0, webBase.size() - 1); }
    // How the help commands and the About box's link open an address: with
    // the shell, one page each.
    std::function<void(const std::string&)> openAddress;
    MaskedPasswordField addPassword;
    MaskedPasswordField selectPassword;
    HyperlinkLabel webLink;
    // A copied user name or password, emptied from the clipboard after this
    // many milliseconds.
    SecretClipboard clipboard;
    UINT clipboardClearMs = 12000;
    // Ctrl+G, Ctrl+F and F3.
    KeyboardShortcuts shortcuts;
    // The row whose cells the Select pane shows (the one selected row), and
    // whether the question about its unapplied edit is on its way.
    std::optional<size_t> paneRow;
    bool paneQuestionDue = false;
    // What Find looked for last, for Find Next.
    std::string lastSearch;
};

// The main window, once the configuration is loaded (the start-up questions
// of a missing language file first): made, shown and left to the caller's
// message loop, or nullptr when the user gave up at start-up; or run until
// the user leaves the program.
HWND createMainWindow();
void runMainWindow();

// The state of the main window.
MainWindowState& mainWindowState(HWND mainWindow);

// Says on the main window's status line what was just done; never a
// password.
void showStatus(HWND mainWindow, const std::string& text);

// The list page, whose list control holds the password list.
HWND listPage(HWND mainWindow);

// The slot whose picture page kImagePage or kEncryptedPage shows.
BitmapHandle& slotShownIn(MainWindowState& state, int pageIndex);

// Selects tab `index` and shows its page, as a click on the tab would.
void showPage(HWND mainWindow, int index);

// Stores a picture in the slot that page kImagePage or kEncryptedPage shows,
// deleting the one it held, and shows it there: how a worker's result is
// published. Call on the window's thread only.
std::function<void(BitmapHandle)> picturePublisher(MainWindowState& state, int pageIndex);

}  // namespace tessaly
