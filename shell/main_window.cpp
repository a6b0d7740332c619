#include "shell/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include "resources/corvale_ids.h"
#include "settings/apply_texts.h"
#include "settings/default_settings_resource.h"
#include "settings/language.h"
#include "settings/settings.h"
#include "settings/ui_text_tables.h"
#include "shell/file_dialog.h"
#include "shell/file_io.h"
#include "shell/message_box.h"
#include "shell/pages.h"

namespace tessaly {

namespace {

constexpr char kSettingsFile[] = "conf.dat";
constexpr wchar_t kMaskBullet = 183;

HINSTANCE instance()
{
    return GetModuleHandleA(nullptr);
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

void setWindowIcons(HWND window)
{
    auto icon = [](int id, int size) {
        return reinterpret_cast<LPARAM>(
            LoadImageA(instance(), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_SHARED));
    };
    SendMessageA(window, WM_SETICON, ICON_SMALL, icon(IDI_SMALL, GetSystemMetrics(SM_CXSMICON)));
    SendMessageA(window, WM_SETICON, ICON_BIG, icon(IDI_LARGE, GetSystemMetrics(SM_CXICON)));
}

void insertTab(HWND tab, int index, const char* key)
{
    std::string caption = translate(key);
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption.c_str());
    SendMessageA(tab, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
}

void createPages(HWND window)
{
    struct PageTemplate {
        const char* key;
        int templateId;
        DLGPROC proc;
    };
    static const PageTemplate templates[kPageCount] = {
        {"list", IDD_LIST_PAGE, listPageProc},
        {"list_bmp", IDD_IMAGE_PAGE, imagePageProc},
        {"list_bmp_encrypted", IDD_ENCRYPTED_PAGE, encryptedPageProc},
    };
    HWND tab = GetDlgItem(window, IDC_TAB);
    auto& state = mainWindowState();
    for (int i = 0; i < kPageCount; ++i) {
        insertTab(tab, i, templates[i].key);
        state.pages[i] = CreateDialogParamA(instance(), MAKEINTRESOURCEA(templates[i].templateId), window,
                                            templates[i].proc, 0);
    }
}

void showSelectedPage(HWND window)
{
    auto& state = mainWindowState();
    HWND tab = GetDlgItem(window, IDC_TAB);
    int index = TabCtrl_GetCurSel(tab);
    if (index < 0 || index >= kPageCount) return;
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

void openWebPage(const std::string& address)
{
    ShellExecuteA(nullptr, "Open", address.c_str(), nullptr, nullptr, SW_SHOW);
}

BOOL onInitDialog(HWND window)
{
    auto& state = mainWindowState();
    state.window = window;
    loadSettings(settingsTable(), kSettingsFile, defaultSettingsText());
    if (!ensureLanguageFile(window)) {
        EndDialog(window, kCorvaleExitCode);
        return TRUE;
    }
    loadLanguage(languageTable(), settingsTable().get("lang_file"));
    setWindowIcons(window);
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
    auto& state = mainWindowState();
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

void onCommand(HWND window, int id)
{
    const std::string& webBase = mainWindowState().webBase;
    switch (id) {
    case IDC_EXIT:
    case ID_FILE_EXIT:
        closeMainWindow(window);
        break;
    case IDC_SHOW_ADD:
    case IDC_SHOW_SELECT:
        onShowPassword(window, id);
        break;
    case ID_HELP_SUGGESTION:
        openWebPage(webBase + "suggestion.asp?id=3");
        break;
    case ID_HELP_SUPPORT:
        openWebPage(webBase + "support.asp");
        break;
    case ID_HELP_GUIDE:
        openWebPage(webBase + "userGuide.asp?id=3");
        break;
    case ID_HELP_HOME:
        openWebPage(webBase);
        break;
    default:
        // Enter and Escape (IDOK, IDCANCEL) and the commands of later
        // windows end here and do nothing.
        break;
    }
}

INT_PTR onNotify(HWND window, const NMHDR* header)
{
    if (header->idFrom == IDC_TAB && header->code == TCN_SELCHANGE) showSelectedPage(window);
    return FALSE;
}

INT_PTR onCtlColorStatic(HDC dc)
{
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace

MainWindowState& mainWindowState()
{
    static MainWindowState state;
    return state;
}

void showPage(HWND mainWindow, int index)
{
    TabCtrl_SetCurSel(GetDlgItem(mainWindow, IDC_TAB), index);
    showSelectedPage(mainWindow);
}

INT_PTR CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return onInitDialog(window);
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
    default:
        return FALSE;
    }
}

}  // namespace tessaly
