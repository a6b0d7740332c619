#include "shell/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/default_settings_resource.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "settings/ui_text_tables.h"
#include "platform/capture_exclusion.h"
#include "platform/window_icons.h"
#include "platform/file_io.h"
#include "platform/secure_wipe.h"
#include "platform/window_state.h"
#include "platform/window_text.h"
#include "image/decrypt_dialog.h"
#include "image/encrypt_dialog.h"
#include "image/generate_dialog.h"
#include "sfx/about_dialog.h"
#include "shell/bitmap_file.h"
#include "shell/file_dialog.h"
#include "shell/list_file.h"
#include "shell/options_dialog.h"
#include "settings/message_box.h"
#include "shell/pages.h"
#include "shell/password_list.h"

namespace tessaly {

namespace {

constexpr char kSettingsFile[] = "conf.dat";
constexpr WPARAM kMaxTypedCell = 254;
constexpr wchar_t kMaskBullet = 183;

HINSTANCE instance()
{
    return GetModuleHandleA(nullptr);
}

HWND listPage(HWND window)
{
    return mainWindowState(window).pages[kListPage];
}

std::string fieldText(HWND window, int id)
{
    return readWindowText(GetDlgItem(window, id));
}

// Start-up texts are fixed English: no language is loaded yet.
bool ensureLanguageFile(HWND window)
{
    if (isReadableFile(settingsTable().get("lang_file"))) return true;
    MessageBoxA(window, "No language file has been selected.\nPlease choose one.", "Error", MB_OK | MB_ICONSTOP);
    char path[MAX_PATH] = {};
    if (!showFileDialog(window, path, "Open file", "Language file", "*.lang", ".lang", false)) return false;
    settingsTable().set("lang_file", path);
    return true;
}

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
    } else {
        setup.templateId = IDD_ENCRYPTED_PAGE;
        setup.shown = &state.pictures.encryptedImage;
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
    state.pages[kListPage] = CreateDialogParamA(instance(), MAKEINTRESOURCEA(IDD_LIST_PAGE), window, listPageProc, 0);
    for (int index : {kImagePage, kEncryptedPage}) {
        state.pages[index] = createPicturePage(window, picturePageSetup(state, index));
    }
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

    RECT area;
    GetClientRect(tab, &area);
    TabCtrl_AdjustRect(tab, FALSE, &area);
    MapWindowPoints(tab, window, reinterpret_cast<POINT*>(&area), 2);
    SetWindowPos(state.currentPage, HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_SHOWWINDOW);

    SetWindowTextA(window, mainWindowTitle(tabCaption(tab, index)).c_str());
}

void setPasswordMask(HWND window, int fieldId, int showBoxId)
{
    WPARAM mask = IsDlgButtonChecked(window, showBoxId) == BST_CHECKED ? 0 : kMaskBullet;
    SendDlgItemMessageA(window, fieldId, EM_SETPASSWORDCHAR, mask, 0);
}

void openWithShell(const std::string& address)
{
    ShellExecuteA(nullptr, "Open", address.c_str(), nullptr, nullptr, SW_SHOW);
}

BOOL onInitDialog(HWND window)
{
    auto& state = *attachWindowState(window, std::make_unique<MainWindowState>());
    state.window = window;
    state.openAddress = openWithShell;
    settingsTable().clear();
    loadSettings(settingsTable(), kSettingsFile, defaultSettingsText());
    excludeFromCapture(window, captureAllowed(settingsTable()));
    if (!ensureLanguageFile(window)) {
        EndDialog(window, kCorvaleExitCode);
        return TRUE;
    }
    loadLanguage(languageTable(), settingsTable().get("lang_file"));
    const std::string& webBase = state.webBase;
    state.webLink.attach(GetDlgItem(window, IDC_WEB_LINK), webBase.substr(0, webBase.size() - 1));
    // The list reads at most this much of a user name or description.
    for (int id : {IDC_ADD_USER, IDC_ADD_DESCRIPTION, IDC_SELECT_USER, IDC_SELECT_DESCRIPTION}) {
        SendDlgItemMessageA(window, id, EM_LIMITTEXT, kMaxTypedCell, 0);
    }
    state.addPassword.attach(GetDlgItem(window, IDC_ADD_PASS));
    state.selectPassword.attach(GetDlgItem(window, IDC_SELECT_PASS));
    setWindowIcons(window, IDI_LARGE, IDI_SMALL);
    createPages(window);
    showPage(window, 0);
    applyTexts(window, IDD_MAIN);

    const bool showPasswords = isFlagOn(settingsTable().get("show_pass"));
    CheckDlgButton(window, IDC_CLEAN_TEXT, isFlagOn(settingsTable().get("clean_text")) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window, IDC_SHOW_ADD, showPasswords ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(window, IDC_SHOW_SELECT, showPasswords ? BST_CHECKED : BST_UNCHECKED);
    loadCustomColors(settingsTable(), customColors());
    setPasswordMask(window, IDC_ADD_PASS, IDC_SHOW_ADD);
    setPasswordMask(window, IDC_SELECT_PASS, IDC_SHOW_SELECT);
    return TRUE;
}

void closeMainWindow(HWND window)
{
    if (showTranslatedMessage(window, "are_you_sure_exit", "exit_main", MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
        return;
    }
    if (!settingsTable().saveToFile(kSettingsFile)) {
        showTranslatedMessage(window, "cannot_save_settings", "error", MB_OK | MB_ICONERROR);
    }
    auto& state = mainWindowState(window);
    for (HWND& page : state.pages) {
        if (page) DestroyWindow(page);
        page = nullptr;
    }
    state.currentPage = nullptr;
    EndDialog(window, kCorvaleExitCode);
}

void onShowPassword(HWND window, int showBoxId)
{
    const int fieldId = showBoxId == IDC_SHOW_ADD ? IDC_ADD_PASS : IDC_SELECT_PASS;
    setPasswordMask(window, fieldId, showBoxId);
    HWND field = GetDlgItem(window, fieldId);
    InvalidateRect(field, nullptr, TRUE);
    SetFocus(field);
}

void emptyFields(HWND window, std::initializer_list<int> ids)
{
    for (int id : ids) SetDlgItemTextA(window, id, "");
}

void showListPage(HWND window)
{
    if (mainWindowState(window).currentPage != listPage(window)) showPage(window, kListPage);
}

void onAdd(HWND window)
{
    PasswordEntry entry{fieldText(window, IDC_ADD_USER), fieldText(window, IDC_ADD_PASS),
                        fieldText(window, IDC_ADD_DESCRIPTION)};
    const std::string warning = addWarning(entry.user.empty(), entry.pass.empty(), translate("you_must_insert_user"),
                                           translate("you_must_insert_pass"));
    if (!warning.empty()) {
        MessageBoxA(window, warning.c_str(), translate("warning").c_str(), MB_OK | MB_ICONEXCLAMATION);
    } else {
        mainWindowState(window).imageOutOfDate = true;
        appendEntry(listPage(window), entry);
        if (IsDlgButtonChecked(window, IDC_CLEAN_TEXT) == BST_CHECKED) {
            emptyFields(window, {IDC_ADD_USER, IDC_ADD_PASS, IDC_ADD_DESCRIPTION});
        }
        SetFocus(GetDlgItem(window, IDC_ADD_USER));
        showListPage(window);
    }
    wipeString(entry.pass);
}

void onSelectionChanged(HWND window)
{
    HWND list = listControl(listPage(window));
    const int first = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    const bool one = first >= 0 && SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0) == 1;
    for (int id : {IDC_SELECT_USER, IDC_SELECT_PASS, IDC_SELECT_DESCRIPTION, IDC_SHOW_SELECT, IDC_REFRESH}) {
        EnableWindow(GetDlgItem(window, id), one);
    }
    EnableWindow(GetDlgItem(window, IDC_DELETE), first >= 0);
    if (first < 0) {
        emptyFields(window, {IDC_SELECT_USER, IDC_SELECT_PASS, IDC_SELECT_DESCRIPTION});
        return;
    }
    const int fields[] = {IDC_SELECT_USER, IDC_SELECT_PASS, IDC_SELECT_DESCRIPTION};
    for (int column = 0; column < 3; ++column) {
        // Whole, even when a list file gave it more than can be typed, so
        // that Refresh never cuts it.
        std::string text = cellText(list, first, column);
        SetDlgItemTextA(window, fields[column], text.c_str());
        wipeString(text);
    }
}

void onDelete(HWND window)
{
    deleteSelectedEntries(listPage(window));
    emptyFields(window, {IDC_SELECT_USER, IDC_SELECT_PASS, IDC_SELECT_DESCRIPTION});
    showListPage(window);
}

void onRefresh(HWND window)
{
    PasswordEntry entry{fieldText(window, IDC_SELECT_USER), fieldText(window, IDC_SELECT_PASS),
                        fieldText(window, IDC_SELECT_DESCRIPTION)};
    updateSelectedEntry(listPage(window), entry);
    wipeString(entry.pass);
    showListPage(window);
}

void clearAll(HWND window)
{
    auto& state = mainWindowState(window);
    clearEntries(listPage(window));
    emptyFields(window, {IDC_ADD_USER, IDC_ADD_PASS, IDC_ADD_DESCRIPTION, IDC_SELECT_USER, IDC_SELECT_PASS,
                         IDC_SELECT_DESCRIPTION});
    for (int index : {kImagePage, kEncryptedPage}) picturePublisher(state, index)(BitmapHandle());
}

void onNew(HWND window)
{
    if (showTranslatedMessage(window, "are_you_sure_new_file", "new_file", MB_YESNO | MB_ICONEXCLAMATION) == IDYES) {
        clearAll(window);
    }
}

bool askListFile(HWND window, char (&path)[MAX_PATH], bool save)
{
    return showFileDialog(window, path, translate(save ? "save_file" : "open_file"), translate("pass_list"), "*.slc",
                          ".slc", save);
}

void onLoadList(HWND window)
{
    char path[MAX_PATH] = {};
    if (!askListFile(window, path, false)) return;
    // The file is read whole before anything is cleared.
    std::vector<PasswordEntry> entries;
    const ListFileStatus status = loadListFile(path, entries);
    if (status == ListFileStatus::CannotOpen) {
        showTranslatedMessage(window, "cannot_open_file", "error", MB_OK | MB_ICONERROR);
        return;
    }
    clearAll(window);
    appendEntries(listPage(window), entries);
    showPage(window, kListPage);
    if (status == ListFileStatus::Damaged) {
        const std::string text = formatIntegers(translate("list_file_damaged"),
                                                {static_cast<long long>(entries.size())});
        MessageBoxA(window, text.c_str(), translate("warning").c_str(), MB_OK | MB_ICONWARNING);
    }
    for (auto& entry : entries) wipeString(entry.pass);
}

void onSaveList(HWND window)
{
    char path[MAX_PATH] = {};
    if (!askListFile(window, path, true)) return;
    std::vector<PasswordEntry> entries = collectEntries(listControl(listPage(window)), false);
    if (!saveListFile(path, entries)) showTranslatedMessage(window, "cannot_save_file", "error", MB_OK | MB_ICONERROR);
    for (auto& entry : entries) wipeString(entry.pass);
}

bool askBitmapFile(HWND window, char (&path)[MAX_PATH], bool save)
{
    return showFileDialog(window, path, translate(save ? "save_file" : "open_file"), translate("bitmap_image"), "*.bmp",
                          ".bmp", save);
}

BitmapHandle& slotShownIn(MainWindowState& state, int pageIndex)
{
    return pageIndex == kImagePage ? state.pictures.plainImage : state.pictures.encryptedImage;
}

// Save BMP (the image page's picture) and Save Encrypted BMP (the encrypted
// page's).
void onSaveImage(HWND window, int pageIndex)
{
    HBITMAP image = slotShownIn(mainWindowState(window), pageIndex).get();
    if (!image) {
        showTranslatedMessage(window, "no_image_to_save", "warning", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    char path[MAX_PATH] = {};
    if (!askBitmapFile(window, path, true)) return;
    if (!writeBitmapFile(image, path)) showTranslatedMessage(window, "cannot_save_file", "error", MB_OK | MB_ICONERROR);
}

// Load BMP (into the image page) and Load Encrypted BMP (into the encrypted
// page): the file is loaded before anything is cleared.
void onLoadImage(HWND window, int pageIndex)
{
    char path[MAX_PATH] = {};
    if (!askBitmapFile(window, path, false)) return;
    BitmapHandle image(loadBitmapFile(path));
    if (!image) {
        showTranslatedMessage(window, "cannot_load_image", "error", MB_OK | MB_ICONERROR);
        return;
    }
    clearAll(window);
    showPage(window, pageIndex);
    picturePublisher(mainWindowState(window), pageIndex)(std::move(image));
}

void onGenerateImage(HWND window)
{
    auto& state = mainWindowState(window);
    GenerateDialogSetup setup;
    HWND list = listControl(listPage(window));
    setup.readEntries = [list] { return collectEntries(list, true); };
    setup.publishPlain = picturePublisher(state, kImagePage);
    setup.publishEncrypted = picturePublisher(state, kEncryptedPage);
    setup.progressWindow = &state.progressWindow;
    if (runGenerateDialog(window, setup) != 0) return;
    if (state.pictures.plainImage) state.imageOutOfDate = false;
    showPage(window, kImagePage);
}

CipherDialogSetup cipherDialogSetup(MainWindowState& state, int fromPage, int toPage)
{
    CipherDialogSetup setup;
    setup.source = slotShownIn(state, fromPage).get();
    setup.publish = picturePublisher(state, toPage);
    setup.progressWindow = &state.progressWindow;
    setup.white = state.whiteBrush.get();
    HWND imagePage = state.pages[kImagePage];
    setup.spotlightRadius = static_cast<int>(SendDlgItemMessageA(imagePage, IDC_SPOTLIGHT_SIZE, TBM_GETPOS, 0, 0));
    setup.spotlightOn = IsDlgButtonChecked(imagePage, IDC_SPOTLIGHT) == BST_CHECKED;
    return setup;
}

void onEncrypt(HWND window)
{
    auto& state = mainWindowState(window);
    if (state.imageOutOfDate) {
        if (showTranslatedMessage(window, "regenerate_bmp", "warning", MB_YESNO | MB_ICONQUESTION) == IDYES) {
            onGenerateImage(window);
            return;
        }
        state.imageOutOfDate = false;
    }
    // A worker given no picture would have nothing to encrypt.
    if (!state.pictures.plainImage) {
        showTranslatedMessage(window, "no_image_to_encrypt", "warning", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (runEncryptDialog(window, cipherDialogSetup(state, kImagePage, kEncryptedPage)) == 0) {
        showPage(window, kEncryptedPage);
    }
}

void onDecrypt(HWND window)
{
    auto& state = mainWindowState(window);
    if (!state.pictures.encryptedImage) {
        showTranslatedMessage(window, "no_image_to_decrypt", "warning", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (runDecryptDialog(window, cipherDialogSetup(state, kEncryptedPage, kImagePage)) == 0) {
        showPage(window, kImagePage);
    }
}

// Copies a cell of the selected row; the copy goes from the clipboard again
// after a while. The password never passes through a control that shows it.
void onCopyCell(HWND window, int column)
{
    auto& state = mainWindowState(window);
    HWND list = listControl(listPage(window));
    const int row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0) return;
    std::string text = cellText(list, row, column);
    if (state.clipboard.copy(window, text)) SetTimer(window, IDT_CLEAR_CLIPBOARD, state.clipboardClearMs, nullptr);
    wipeString(text);
}

void onClipboardTimer(HWND window)
{
    KillTimer(window, IDT_CLEAR_CLIPBOARD);
    mainWindowState(window).clipboard.clearIfOurs(window);
}

void onListRightClick(HWND window)
{
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    AppendMenuA(menu, MF_STRING, ID_COPY_USER, translate("copy_user").c_str());
    AppendMenuA(menu, MF_STRING, ID_COPY_PASS, translate("copy_pass").c_str());
    POINT at{};
    GetCursorPos(&at);
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
    DestroyMenu(menu);
    if (chosen == ID_COPY_USER) onCopyCell(window, 0);
    if (chosen == ID_COPY_PASS) onCopyCell(window, 1);
}

// A new language applies at once to the main window, its menu, tabs, pages
// and columns; one that cannot be read keeps the texts shown.
void onOptions(HWND window)
{
    if (runOptionsDialog(window) != kOptionsConfirmed) return;
    if (!loadLanguage(languageTable(), settingsTable().get("lang_file"))) {
        showTranslatedMessage(window, "cannot_load_language", "error", MB_OK | MB_ICONERROR);
    }
    const auto& state = mainWindowState(window);
    applyTexts(window, IDD_MAIN);
    applyTexts(state.pages[kListPage], IDD_LIST_PAGE);
    applyTexts(state.pages[kImagePage], IDD_IMAGE_PAGE);
    applyTexts(state.pages[kEncryptedPage], IDD_ENCRYPTED_PAGE);
}

void onCommand(HWND window, int id)
{
    auto& state = mainWindowState(window);
    const std::string& webBase = state.webBase;
    switch (id) {
    case IDC_ADD:
        onAdd(window);
        break;
    case IDC_DELETE:
        onDelete(window);
        break;
    case IDC_REFRESH:
        onRefresh(window);
        break;
    case IDC_GENERATE_IMAGE:
        onGenerateImage(window);
        break;
    case IDC_ENCRYPT:
        onEncrypt(window);
        break;
    case IDC_DECRYPT:
        onDecrypt(window);
        break;
    case ID_FILE_NEW:
        onNew(window);
        break;
    case ID_FILE_LOAD_LIST:
        onLoadList(window);
        break;
    case ID_FILE_SAVE_LIST:
        onSaveList(window);
        break;
    case ID_FILE_SAVE_BMP:
        onSaveImage(window, kImagePage);
        break;
    case ID_FILE_SAVE_ENCRYPTED_BMP:
        onSaveImage(window, kEncryptedPage);
        break;
    case ID_FILE_LOAD_BMP:
        onLoadImage(window, kImagePage);
        break;
    case ID_FILE_LOAD_ENCRYPTED_BMP:
        onLoadImage(window, kEncryptedPage);
        break;
    case IDC_EXIT:
    case ID_FILE_EXIT:
        closeMainWindow(window);
        break;
    case IDC_SHOW_ADD:
    case IDC_SHOW_SELECT:
        onShowPassword(window, id);
        break;
    case ID_HELP_SUGGESTION:
        state.openAddress(webBase + "suggestion.asp?id=3");
        break;
    case ID_HELP_SUPPORT:
        state.openAddress(webBase + "support.asp");
        break;
    case ID_HELP_GUIDE:
        state.openAddress(webBase + "userGuide.asp?id=3");
        break;
    case ID_HELP_HOME:
        state.openAddress(webBase);
        break;
    case ID_OPTIONS:
        onOptions(window);
        break;
    case ID_COPY_USER:
        onCopyCell(window, 0);
        break;
    case ID_COPY_PASS:
        onCopyCell(window, 1);
        break;
    case ID_HELP_ABOUT:
        runAboutDialog(window, AboutSetup{webBase.substr(0, webBase.size() - 1), state.openAddress});
        break;
    default:
        // Enter and Escape (IDOK, IDCANCEL) and the commands of later
        // windows end here and do nothing.
        break;
    }
}

// Delete, and the copy keys of other password stores: Ctrl+B the user name,
// Ctrl+C the password.
void onListKey(HWND window, WORD key)
{
    const bool control = GetKeyState(VK_CONTROL) < 0;
    if (key == VK_DELETE) onDelete(window);
    if (control && key == 'B') onCopyCell(window, 0);
    if (control && key == 'C') onCopyCell(window, 1);
}

INT_PTR onNotify(HWND window, const NMHDR* header)
{
    if (header->idFrom == IDC_TAB && header->code == TCN_SELCHANGE) showSelectedPage(window);
    if (header->idFrom == IDC_LIST && header->code == LVN_ITEMCHANGED) {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED)) {
            onSelectionChanged(window);
        }
    }
    if (header->idFrom == IDC_LIST && header->code == LVN_KEYDOWN)
        onListKey(window, reinterpret_cast<const NMLVKEYDOWN*>(header)->wVKey);
    if (header->idFrom == IDC_LIST && header->code == NM_RCLICK) onListRightClick(window);
    return FALSE;
}

INT_PTR onCtlColorStatic(HDC dc)
{
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace

MainWindowState& mainWindowState(HWND mainWindow)
{
    return *windowState<MainWindowState>(mainWindow);
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

INT_PTR CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return onInitDialog(window);
    if (withoutWindowState<MainWindowState>(window, message)) return FALSE;
    switch (message) {
    case WM_COMMAND:
        onCommand(window, LOWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        return onNotify(window, reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLORSTATIC:
        return onCtlColorStatic(reinterpret_cast<HDC>(wParam));
    case WM_CLOSE:
        closeMainWindow(window);
        return TRUE;
    case WM_TIMER:
        if (wParam == IDT_CLEAR_CLIPBOARD) onClipboardTimer(window);
        return TRUE;
    case WM_DESTROY:
        // However the window ends, the program's copy leaves the clipboard.
        mainWindowState(window).clipboard.clearIfOurs(window);
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace tessaly
