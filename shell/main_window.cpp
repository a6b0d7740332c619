#include "shell/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <unordered_map>

#include "controls/anchored_layout.h"
#include "controls/dialog.h"
#include "platform/window_icons.h"
#include "platform/file_paths.h"
#include "platform/session_watch.h"
#include "platform/text_codec.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/language.h"
#include "settings/message_box.h"
#include "settings/options_rules.h"
#include "settings/settings.h"
#include "settings/ui_text_tables.h"
#include "shell/commands.h"
#include "shell/configuration.h"
#include "shell/options_dialog.h"
#include "shell/pages.h"

namespace tessaly {

namespace {

constexpr WPARAM kMaxTypedCell = 254;
constexpr UINT WM_REOPEN_LAST_LIST = WM_APP + 10;
// How often the window looks whether it has been left alone long enough to lock.
constexpr UINT kAutoLockCheckMs = 5000;

void insertTab(HWND tab, int index, const char* key)
{
    std::string caption = translate(key);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption.c_str());
    SendMessageA(tab, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
}

PicturePageSetup picturePageSetup(MainWindowState& state, int pageIndex)
{
    PicturePageSetup setup;
    setup.pictureId = IDC_PICTURE;
    setup.bars = {IDC_HSCROLL, IDC_VSCROLL};
    setup.white = state.whiteBrush.get();
    if (pageIndex == kImagePage) {
        setup.templateId = IDD_IMAGE_PAGE;
        setup.shown = &state.pictures.plainImage;
        setup.cover = &state.pictures.encryptedImage;
        setup.spotlight = true;
        setup.spotlightControls = {IDC_SPOTLIGHT, IDC_SPOTLIGHT_SIZE};
        setup.controlsBelow = {IDC_ENCRYPT, IDC_SPOTLIGHT, IDC_SPOTLIGHT_SIZE};
    } else {
        setup.templateId = IDD_ENCRYPTED_PAGE;
        setup.shown = &state.pictures.encryptedImage;
        setup.controlsBelow = {IDC_DECRYPT};
    }
    return setup;
}

void createPages(HWND window)
{
    auto& state = mainWindowState(window);
    HWND tab = GetDlgItem(window, IDC_TAB);
    insertTab(tab, kListPage, "list");
    insertTab(tab, kImagePage, "list_bmp");
    insertTab(tab, kEncryptedPage, "list_bmp_encrypted");
    state.pages[kListPage] = createListPage(window, state.list);
    for (int index : {kImagePage, kEncryptedPage}) {
        state.pages[index] = createPicturePage(window, picturePageSetup(state, index));
    }
}

// The title follows the tab, the list's file and its unsaved changes.
// Lock is offered while there is a key to lock the list under.
void updateTitle(HWND window)
{
    const auto& state = mainWindowState(window);
    HWND tab = GetDlgItem(window, IDC_TAB);
    const std::string title = state.locked ? mainWindowTitle(translate("locked"), fileNameOf(state.listPath), false)
                                           : mainWindowTitle(tabCaption(tab, TabCtrl_GetCurSel(tab)),
                                                             fileNameOf(state.listPath), state.list.modified());
    if (readWindowText(window) != title) SetWindowTextA(window, title.c_str());
    const bool lockable = !state.locked && state.listKey.held();
    EnableMenuItem(GetMenu(window), ID_FILE_LOCK, MF_BYCOMMAND | (lockable ? MF_ENABLED : MF_GRAYED));
}

// The tab control's display area, in the main window's client coordinates.
RECT pageArea(HWND window)
{
    HWND tab = GetDlgItem(window, IDC_TAB);
    RECT area;
    GetClientRect(tab, &area);
    TabCtrl_AdjustRect(tab, FALSE, &area);
    MapWindowPoints(tab, window, reinterpret_cast<POINT*>(&area), 2);
    return area;
}

void showSelectedPage(HWND window)
{
    auto& state = mainWindowState(window);
    HWND tab = GetDlgItem(window, IDC_TAB);
    int index = TabCtrl_GetCurSel(tab);
    if (index < 0 || index >= kPageCount) return;
    // Keys sent to a control on a hidden page would act unseen (and the menu
    // keys would not reach the window at all): the tab control takes over.
    HWND focus = GetFocus();
    if (state.currentPage && state.currentPage != state.pages[index] && focus && IsChild(state.currentPage, focus)) {
        SetFocus(tab);
    }
    if (state.currentPage) ShowWindow(state.currentPage, SW_HIDE);
    state.currentPage = state.pages[index];

    const RECT area = pageArea(window);
    SetWindowPos(state.currentPage, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_SHOWWINDOW);

    updateTitle(window);
}

void openWithShell(const std::string& address)
{
    ShellExecuteA(nullptr, "Open", address.c_str(), nullptr, nullptr, SW_SHOW);
}

void setInitialBoxes(HWND window)
{
    const bool showPasswords = isFlagOn(settingsTable().get("show_pass"));
    CheckDlgButton(window, IDC_CLEAN_TEXT, isFlagOn(settingsTable().get("clean_text")) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window, IDC_SHOW_ADD, showPasswords ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window, IDC_SHOW_SELECT, showPasswords ? BST_CHECKED : BST_UNCHECKED);
    setPasswordMask(window, IDC_ADD_PASS, IDC_SHOW_ADD);
    setPasswordMask(window, IDC_SELECT_PASS, IDC_SHOW_SELECT);
}

// The panes and Exit keep their size at the right; the tabs and their pages
// take the rest; the locked window's text stays in the middle.
std::vector<std::pair<int, Anchor>> mainWindowAnchors()
{
    std::vector<std::pair<int, Anchor>> anchors{{IDC_TAB, Anchor::Grow},
                                                {IDC_WEB_LINK, Anchor::BottomRight},
                                                {IDC_EXIT, Anchor::BottomRight},
                                                {IDC_LOCKED_TEXT, Anchor::Centre},
                                                {IDC_UNLOCK, Anchor::Centre}};
    for (int id : {IDC_FRAME_ADD,
                   IDC_LABEL_ADD_USER,
                   IDC_ADD_USER,
                   IDC_LABEL_ADD_PASS,
                   IDC_ADD_PASS,
                   IDC_SHOW_ADD,
                   IDC_LABEL_ADD_DESCRIPTION,
                   IDC_ADD_DESCRIPTION,
                   IDC_ADD,
                   IDC_CLEAN_TEXT,
                   IDC_FRAME_SELECT,
                   IDC_LABEL_SELECT_USER,
                   IDC_SELECT_USER,
                   IDC_LABEL_SELECT_PASS,
                   IDC_SELECT_PASS,
                   IDC_SHOW_SELECT,
                   IDC_LABEL_SELECT_DESCRIPTION,
                   IDC_SELECT_DESCRIPTION,
                   IDC_DELETE,
                   IDC_REFRESH}) {
        anchors.emplace_back(id, Anchor::Right);
    }
    return anchors;
}

// Every page, shown or not, fills the tabs' display area.
void placePages(HWND window)
{
    const RECT area = pageArea(window);
    for (HWND page : mainWindowState(window).pages) {
        SetWindowPos(page, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// The size and place the window was left at, on a screen that still shows
// it, and never smaller than `smallest`, the size it was made at.
void restorePlace(HWND window, SIZE smallest)
{
    const auto place = parseWindowPlace(settingsTable().get("main_window"), smallest.cx, smallest.cy);
    if (!place) return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return;
    placement.rcNormalPosition = {place->normal.left, place->normal.top, place->normal.right, place->normal.bottom};
    if (!MonitorFromRect(&placement.rcNormalPosition, MONITOR_DEFAULTTONULL)) return;
    placement.flags = 0;
    placement.showCmd = place->maximised ? SW_SHOWMAXIMIZED : SW_HIDE;
    SetWindowPlacement(window, &placement);
}

void keepPlace(HWND window)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return;
    const RECT& normal = placement.rcNormalPosition;
    const bool maximised = placement.showCmd == SW_SHOWMAXIMIZED ||
                           (placement.showCmd == SW_SHOWMINIMIZED && (placement.flags & WPF_RESTORETOMAXIMIZED));
    settingsTable().set("main_window",
                        formatWindowPlace({{normal.left, normal.top, normal.right, normal.bottom}, maximised}));
}

// The language's captions, and the keys of the accelerator table in the
// menu items.
void applyMainTexts(HWND window)
{
    applyTexts(window, IDD_MAIN);
    mainWindowState(window).shortcuts.showInMenu(GetMenu(window));
    DrawMenuBar(window);
}

void closeMainWindow(HWND window)
{
    // Unsaved changes of a locked list can only be saved once it is open.
    const auto& locked = mainWindowState(window).locked;
    if (locked && locked->modified && !unlockList(window)) return;
    if (!mayLeaveList(window, "are_you_sure_exit", "exit_main")) return;
    keepPlace(window);
    saveConfiguration(window);
    auto& state = mainWindowState(window);
    for (HWND& page : state.pages) {
        if (page) DestroyWindow(page);
        page = nullptr;
    }
    state.currentPage = nullptr;
    EndDialog(window, kCorvaleExitCode);
}

// A new language applies at once to the main window, its menu, tabs, pages
// and columns; one that cannot be read keeps the texts shown. Only Cancel
// leaves everything as it was.
void onOptions(HWND window)
{
    if (runOptionsDialog(window) == OptionsEnd::Cancelled) return;
    if (!loadLanguage(languageTable(), settingsTable().get("lang_file"), systemTextCodec())) {
        showTranslatedMessage(window, "cannot_load_language", "error", MB_OK | MB_ICONERROR);
    }
    const auto& state = mainWindowState(window);
    applyMainTexts(window);
    applyTexts(state.pages[kListPage], IDD_LIST_PAGE);
    applyTexts(state.pages[kImagePage], IDD_IMAGE_PAGE);
    applyTexts(state.pages[kEncryptedPage], IDD_ENCRYPTED_PAGE);
    showRecentLists(window);
}

const std::unordered_map<int, void (*)(HWND)>& commandTable()
{
    static const auto table = [] {
        std::unordered_map<int, void (*)(HWND)> handlers{
            {IDC_EXIT, closeMainWindow},
            {ID_FILE_EXIT, closeMainWindow},
            {ID_OPTIONS, onOptions},
        };
        for (const auto& family :
             {listCommands(), listFileCommands(), recentListCommands(), lockCommands(), pictureCommands(),
              clipboardCommands(), editCommands(), csvCommands(), helpCommands()}) {
            for (const Command& command : family) handlers.emplace(command.id, command.handle);
        }
        return handlers;
    }();
    return table;
}

// F2 goes to edit the row; Delete is a key of the accelerator table.
void onListKey(HWND window, WORD key)
{
    if (key == VK_F2) editSelectedRow(window);
}

INT_PTR onNotify(HWND window, const NMHDR* header)
{
    if (header->idFrom == IDC_TAB && header->code == TCN_SELCHANGE) showSelectedPage(window);
    if (header->idFrom != IDC_LIST) return FALSE;
    if (header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED)) {
            onListSelectionChanged(window);
        }
    }
    // A range of rows selected at once (Shift and a click) is told as one.
    if (header->code == LVN_ODSTATECHANGED) onListSelectionChanged(window);
    if (header->code == LVN_KEYDOWN) onListKey(window, reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey);
    if (header->code == NM_RCLICK) showCopyMenu(window);
    if (header->code == NM_DBLCLK) editSelectedRow(window);
    if (header->code == LVN_COLUMNCLICK) followSortedRows(window);
    return FALSE;
}

// Windows ending the session waits, with the reason shown, while the user
// answers the save question; Cancel keeps the session.
bool mayEndSession(HWND window)
{
    if (!mainWindowState(window).unsavedChanges()) return true;
    ShutdownBlockReasonCreate(window, L"Unsaved password list");
    const bool go = mayDiscardChanges(window);
    ShutdownBlockReasonDestroy(window);
    return go;
}

// A locked window takes no command that would show, change or save the
// list it no longer holds.
bool allowedWhileLocked(int id)
{
    switch (id) {
    case IDC_UNLOCK:
    case IDC_EXIT:
    case ID_FILE_EXIT:
    case ID_HELP_HOME:
    case ID_HELP_GUIDE:
    case ID_HELP_SUPPORT:
    case ID_HELP_SUGGESTION:
    case ID_HELP_ABOUT:
        return true;
    default:
        return false;
    }
}

// Auto-lock waits for any modal window to close: the main window is then
// enabled again.
void onAutoLockTimer(HWND window)
{
    const auto& state = mainWindowState(window);
    if (state.locked || !state.listKey.held() || !IsWindowEnabled(window)) return;
    const int minutes = lockMinutesSetting(settingsTable().get("lock_minutes"));
    if (!autoLockDue(GetTickCount64() - state.shortcuts.lastInputTick(), minutes)) return;
    lockList(window);
    updateTitle(window);
}

INT_PTR onCtlColorStatic(HDC dc)
{
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

// Dialog 101, Corvale's one main window. The configuration is loaded before
// it opens, so its opening applies the user's language and capture choice.
class MainWindow final : public Dialog {
public:
    // Escape (IDCANCEL) does nothing: the window ends only through Exit and
    // the close box.
    MainWindow() : Dialog({IDOK, IDCANCEL}) {}

    MainWindowState& state() { return state_; }

private:
    BOOL onInitDialog() override
    {
        HWND window = this->window();
        state_.window = window;
        state_.openAddress = openWithShell;
        state_.webLink.attach(item(IDC_WEB_LINK), state_.siteAddress());
        // The list reads at most this much of a user name or description.
        for (int id : {IDC_ADD_USER, IDC_ADD_DESCRIPTION, IDC_SELECT_USER, IDC_SELECT_DESCRIPTION}) {
            SendDlgItemMessageA(window, id, EM_LIMITTEXT, kMaxTypedCell, 0);
        }
        state_.addPassword.attach(item(IDC_ADD_PASS));
        state_.selectPassword.attach(item(IDC_SELECT_PASS));
        setWindowIcons(window, IDI_LARGE, IDI_SMALL);
        state_.shortcuts.attach(window, IDR_MAIN_KEYS);
        CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)), GetModuleHandleA(nullptr),
                        nullptr);
        SetTimer(window, IDT_AUTO_LOCK, kAutoLockCheckMs, nullptr);
        watchSessionLock(window);
        createPages(window);
        RECT made{};
        GetWindowRect(window, &made);
        smallest_ = {made.right - made.left, made.bottom - made.top};
        layout_.attach(window, mainWindowAnchors());
        placePages(window);
        restorePlace(window, smallest_);
        showPage(window, kListPage);
        // Again, now that the tabs exist to take their captions.
        applyMainTexts(window);
        setInitialBoxes(window);
        showRecentLists(window);
        // Once the window shows: opening may ask for a passphrase.
        PostMessageA(window, WM_REOPEN_LAST_LIST, 0, 0);
        // Typing starts in the Add pane.
        SetFocus(item(IDC_ADD_USER));
        return FALSE;
    }
    // Enter in a pane's field does what the pane is for: Add, or apply the
    // edit of the selected row; on the list, it goes to edit the row.
    void onOk() override
    {
        const int focused = GetDlgCtrlID(GetFocus());
        int pane = 0;
        for (int id : {IDC_ADD_USER, IDC_ADD_PASS, IDC_ADD_DESCRIPTION}) pane = focused == id ? IDC_ADD : pane;
        for (int id : {IDC_SELECT_USER, IDC_SELECT_PASS, IDC_SELECT_DESCRIPTION}) {
            pane = focused == id ? IDC_REFRESH : pane;
        }
        if (pane && IsWindowEnabled(item(pane))) onCommand(pane, BN_CLICKED);
        if (focused == IDC_LIST) editSelectedRow(window());
    }
    void onCancel() override {}
    void onClose() override { closeMainWindow(window()); }
    void onCommand(int id, int) override
    {
        HWND self = window();
        if (state_.locked && !allowedWhileLocked(id)) return;
        const auto& table = commandTable();
        const auto handler = table.find(id);
        if (handler != table.end()) handler->second(self);
        // Unless the command took the window away.
        if (Dialog::of(self) == this) updateTitle(self);
    }
    std::optional<INT_PTR> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_NOTIFY:
            return onNotify(window(), reinterpret_cast<const NMHDR*>(lParam));
        case WM_CTLCOLORSTATIC:
            return onCtlColorStatic(reinterpret_cast<HDC>(wParam));
        case WM_SIZE:
            onSize(wParam);
            return TRUE;
        case WM_GETMINMAXINFO:
            if (smallest_.cx > 0) reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {smallest_.cx, smallest_.cy};
            return TRUE;
        case WM_TIMER:
            if (wParam == IDT_CLEAR_CLIPBOARD) onClipboardTimer(window());
            if (wParam == IDT_AUTO_LOCK) onAutoLockTimer(window());
            return TRUE;
        case WM_WTSSESSION_CHANGE:
            if (wParam == WTS_SESSION_LOCK) lockList(window());
            updateTitle(window());
            return TRUE;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMSUSPEND) lockList(window());
            updateTitle(window());
            return TRUE;
        case WM_ASK_TO_APPLY_EDIT:
            askToApplyEdit(window());
            updateTitle(window());
            return TRUE;
        case WM_REOPEN_LAST_LIST:
            reopenLastList(window());
            updateTitle(window());
            return TRUE;
        case WM_QUERYENDSESSION:
            SetWindowLongPtrA(window(), DWLP_MSGRESULT, mayEndSession(window()) ? TRUE : FALSE);
            return TRUE;
        case WM_DESTROY:
            // However the window ends, the program's copy leaves the
            // clipboard, even if another program holds it for a moment.
            state_.clipboard.clearIfOursWithin(window());
            stopWatchingSessionLock(window());
            return FALSE;
        default:
            return std::nullopt;
        }
    }

    // Minimised, a protected list locks as it would left alone, unless a
    // window over it is still at work.
    void onSize(WPARAM kind)
    {
        HWND self = window();
        if (kind == SIZE_MINIMIZED) {
            if (IsWindowEnabled(self)) lockList(self);
            updateTitle(self);
            return;
        }
        layout_.apply();
        SendDlgItemMessageA(self, IDC_STATUS_BAR, WM_SIZE, 0, 0);
        placePages(self);
    }

    MainWindowState state_;
    AnchoredLayout layout_;
    // The size the window was made at, the smallest it can be given.
    SIZE smallest_{};
};

}  // namespace

MainWindowState& mainWindowState(HWND mainWindow)
{
    return static_cast<MainWindow*>(Dialog::of(mainWindow))->state();
}

void showStatus(HWND mainWindow, const std::string& text)
{
    SetDlgItemTextA(mainWindow, IDC_STATUS_BAR, text.c_str());
}

HWND listPage(HWND mainWindow)
{
    return mainWindowState(mainWindow).pages[kListPage];
}

BitmapHandle& slotShownIn(MainWindowState& state, int pageIndex)
{
    return pageIndex == kImagePage ? state.pictures.plainImage : state.pictures.encryptedImage;
}

std::function<void(BitmapHandle)> picturePublisher(MainWindowState& state, int pageIndex)
{
    return [&state, pageIndex](BitmapHandle image) {
        // The old picture goes only once the page shows the new one, so no
        // repaint ever sees it deleted.
        BitmapHandle old = std::exchange(slotShownIn(state, pageIndex), std::move(image));
        showPictureInPage(state.pages[pageIndex]);
    };
}

void showPage(HWND mainWindow, int index)
{
    TabCtrl_SetCurSel(GetDlgItem(mainWindow, IDC_TAB), index);
    showSelectedPage(mainWindow);
}

HWND createMainWindow()
{
    if (!loadConfiguration(nullptr)) return nullptr;
    HWND window = createOwnedDialog(nullptr, IDD_MAIN, std::make_unique<MainWindow>());
    if (window) ShowWindow(window, SW_SHOW);
    return window;
}

void runMainWindow()
{
    if (!loadConfiguration(nullptr)) return;
    MainWindow window;
    runModalDialog(GetDesktopWindow(), IDD_MAIN, window);
}

}  // namespace tessaly
