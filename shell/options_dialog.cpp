#include "shell/options_dialog.h"

#include <commdlg.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cipher/password_generator.h"
#include "controls/font_spec.h"
#include "platform/dpi.h"
#include "platform/file_paths.h"
#include "platform/program_folder.h"
#include "platform/win32_handles.h"
#include "platform/redraw.h"
#include "controls/dialog.h"
#include "platform/window_text.h"
#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "settings/options_rules.h"
#include "settings/settings.h"
#include "controls/file_dialog.h"
#include "platform/text_codec.h"

namespace tessaly {

namespace {

constexpr int kItemHeight = 18;
constexpr int kFontPreviewHeight = 9;
const char* const kSizes[] = {"8", "10", "12", "14", "16"};

// The stored font and size, kept by OK when the lists offer no such font
// (one not installed here) or size.
struct StoredFont {
    std::string font;
    std::string size;
};

LRESULT sendItem(HWND window, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendDlgItemMessageA(window, id, message, wParam, lParam);
}

void selectByPrefix(HWND window, int id, const std::string& prefix)
{
    const LRESULT found = sendItem(window, id, CB_FINDSTRING, 0, reinterpret_cast<LPARAM>(prefix.c_str()));
    sendItem(window, id, CB_SETCURSEL, found == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(found));
}

void checkFlag(HWND window, int id, const char* key)
{
    CheckDlgButton(window, id, isFlagOn(settingsTable().get(key)) ? BST_CHECKED : BST_UNCHECKED);
}

void updateExeControls(HWND window)
{
    const bool on = IsDlgButtonChecked(window, IDC_CREATE_EXE_DEFAULT) == BST_CHECKED;
    EnableWindow(GetDlgItem(window, IDC_EXE_PATH_DEFAULT), on);
    EnableWindow(GetDlgItem(window, IDC_EXE_PATH_SELECT), on);
}

// The user's own colour first, or the default settings' colour when the
// stored one does not parse (OK stores what is shown), then the presets.
void fillColorList(HWND window, int id, const char* ownKey, const char* entryKey, uint32_t fallback)
{
    const uint32_t own = parseColorSetting(settingsTable().get(ownKey)).value_or(fallback);
    sendItem(window, id, CB_ADDSTRING, 0, static_cast<LPARAM>(own));
    for (uint32_t preset : kPresetColors) sendItem(window, id, CB_ADDSTRING, 0, static_cast<LPARAM>(preset));
    sendItem(window, id, CB_SETCURSEL, static_cast<WPARAM>(colorEntrySetting(settingsTable().get(entryKey))));
}

// The generator's length from 8 to 35, and its symbols, as the settings
// give them (missing: 20 and symbols).
void fillGeneratorControls(HWND window)
{
    const PasswordRecipe recipe = passwordRecipe(settingsTable().get("gen_length"), settingsTable().get("gen_symbols"));
    for (size_t length = kShortestGeneratedPassword; length <= kLongestGeneratedPassword; ++length) {
        sendItem(window, IDC_GEN_LENGTH, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_string(length).c_str()));
    }
    sendItem(window, IDC_GEN_LENGTH, CB_SETCURSEL, recipe.length - kShortestGeneratedPassword);
    CheckDlgButton(window, IDC_GEN_SYMBOLS, recipe.symbols ? BST_CHECKED : BST_UNCHECKED);
}

// Never, then the minutes; the stored time selected.
void fillLockMinutes(HWND window)
{
    const int stored = lockMinutesSetting(settingsTable().get("lock_minutes"));
    for (size_t at = 0; at < kLockMinutes.size(); ++at) {
        const int minutes = kLockMinutes[at];
        const std::string text = minutes == 0 ? translate("never")
                                              : std::to_string(minutes) + " " + translate("minutes");
        sendItem(window, IDC_LOCK_MINUTES, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (minutes == stored) sendItem(window, IDC_LOCK_MINUTES, CB_SETCURSEL, at);
    }
}

// A missing setting is on.
void checkUnlessOff(HWND window, int id, const char* key)
{
    CheckDlgButton(window, id, settingsTable().get(key) == "false" ? BST_UNCHECKED : BST_CHECKED);
}

void fillControls(HWND window, StoredFont& stored)
{
    // A list of its own at every opening, so every opening lists every font.
    FontSpec fonts;
    for (const std::string* face = fonts.enumerateFonts(window); face; face = fonts.nextFont()) {
        sendItem(window, IDC_FONT_LIST, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face->c_str()));
    }
    stored.font = settingsTable().get("font");
    selectByPrefix(window, IDC_FONT_LIST, stored.font);
    for (const char* size : kSizes) sendItem(window, IDC_FONT_SIZE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
    stored.size = settingsTable().get("fontsize");
    selectByPrefix(window, IDC_FONT_SIZE, stored.size);

    fillColorList(window, IDC_TEXT_COLOR_LIST, "fontcolor", "fontindexcolor", kDefaultTextColor);
    fillColorList(window, IDC_BK_COLOR_LIST, "bkcolor", "bkindexcolor", kDefaultBackgroundColor);
    checkFlag(window, IDC_CLEAN_TEXT_DEFAULT, "clean_text");
    checkFlag(window, IDC_SHOW_PASS_DEFAULT, "show_pass");
    checkFlag(window, IDC_BOLD, "fontbold");
    checkFlag(window, IDC_CREATE_EXE_DEFAULT, "create_exe");
    checkUnlessOff(window, IDC_SFX_GUARDED_DEFAULT, "sfx_guarded");
    SetDlgItemTextA(window, IDC_EXE_PATH_DEFAULT, settingsTable().get("exe_path").c_str());
    updateExeControls(window);
    fillGeneratorControls(window);
    checkUnlessOff(window, IDC_KEEP_PREVIOUS, "keep_previous_version");
    checkUnlessOff(window, IDC_REOPEN_LAST, "reopen_last_list");
    fillLockMinutes(window);
}

RECT inner(const RECT& area)
{
    return {area.left + 4, area.top + 2, area.right - 4, area.bottom - 2};
}

void drawFontItem(const DRAWITEMSTRUCT& item)
{
    char face[256] = {};
    SendMessageA(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(face));
    FontSpec preview;
    preview.setFaceName(face);
    preview.setHeight(scaledForScreen(kFontPreviewHeight));
    FontHandle font = preview.createFont();
    SelectGuard selected(item.hDC, font.get());
    SetBkMode(item.hDC, TRANSPARENT);
    RECT area = inner(item.rcItem);
    drawText(item.hDC, face, area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

// A swatch of the colour with its code written in the complementary colour.
void drawColorItem(const DRAWITEMSTRUCT& item)
{
    const auto rgb = static_cast<uint32_t>(item.itemData) & 0xFFFFFF;
    RECT area = inner(item.rcItem);
    BrushHandle swatch(CreateSolidBrush(rgbToColorRef(rgb)));
    FillRect(item.hDC, &area, swatch.get());
    LOGFONTA description{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0)), sizeof description,
               &description);
    description.lfWeight = FW_BOLD;
    FontHandle bold(CreateFontIndirectA(&description));
    SelectGuard selected(item.hDC, bold.get());
    SetBkColor(item.hDC, rgbToColorRef(rgb));
    SetTextColor(item.hDC, rgbToColorRef(0xFFFFFF - rgb));
    const std::string code = formatColorSetting(rgb);
    drawText(item.hDC, code, area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

BOOL onDrawItem(const DRAWITEMSTRUCT* item)
{
    if (item->itemID == static_cast<UINT>(-1)) return TRUE;
    SavedDcState saved(item->hDC);
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(item->itemState & ODS_SELECTED ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (item->CtlID == IDC_FONT_LIST) drawFontItem(*item);
    if (item->CtlID == IDC_TEXT_COLOR_LIST || item->CtlID == IDC_BK_COLOR_LIST) drawColorItem(*item);
    return TRUE;
}

void chooseColor(HWND window, int listId)
{
    const LRESULT selected = sendItem(window, listId, CB_GETCURSEL);
    const LRESULT current = sendItem(window, listId, CB_GETITEMDATA,
                                     static_cast<WPARAM>(selected == CB_ERR ? 0 : selected));
    CHOOSECOLORA chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = window;
    chooser.rgbResult = rgbToColorRef(static_cast<uint32_t>(current) & 0xFFFFFF);
    chooser.lpCustColors = reinterpret_cast<COLORREF*>(customColors().data());
    chooser.Flags = CC_FULLOPEN | CC_RGBINIT;
    if (ChooseColorA(&chooser)) {
        sendItem(window, listId, CB_SETITEMDATA, 0, static_cast<LPARAM>(colorRefToRgb(chooser.rgbResult)));
        sendItem(window, listId, CB_SETCURSEL, 0);
    }
    redrawNow(GetDlgItem(window, listId));
}

void chooseExePath(HWND window)
{
    char path[MAX_PATH] = {};
    if (showFileDialog(window, path, translate("exe_path"), translate("executable"), "*.exe", ".exe", true)) {
        SetDlgItemTextA(window, IDC_EXE_PATH_DEFAULT, path);
    }
}

// The translator line of the chosen language file; one that cannot be read
// shows none, and OK's reload says so.
void showTranslator(HWND window, const std::string& path)
{
    KeyValueTable chosen;
    (void)loadLanguage(chosen, path, systemTextCodec());
    SetDlgItemTextA(window, IDC_TRANSLATOR,
                    translatorLine(translate("translated_by"), chosen.get("lang_translator")).c_str());
}

// A language file by the name it carries, or its file name when it names
// no language.
std::string languageName(const std::string& path)
{
    KeyValueTable table;
    const std::string name = loadLanguage(table, path, systemTextCodec()) ? table.get("language_name") : std::string();
    return name.empty() ? std::string(fileNameOf(path)) : name;
}

void addLanguage(HWND window, std::vector<std::string>& paths, const std::string& path)
{
    paths.push_back(path);
    sendItem(window, IDC_LANG_PATH, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(languageName(path).c_str()));
}

// Selects `path` in the language list, adding it when it is not there yet.
void selectLanguage(HWND window, std::vector<std::string>& paths, const std::string& path)
{
    size_t index = 0;
    while (index < paths.size() && lstrcmpiA(paths[index].c_str(), path.c_str()) != 0) ++index;
    if (index == paths.size()) addLanguage(window, paths, path);
    sendItem(window, IDC_LANG_PATH, CB_SETCURSEL, index);
    showTranslator(window, path);
}

// The language files of the lang folder by name, then the one in use
// wherever it is.
void fillLanguages(HWND window, std::vector<std::string>& paths)
{
    WIN32_FIND_DATAA found{};
    FindHandle search(FindFirstFileA("lang\\*.lang", &found));
    for (bool more = search.get() != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search.get(), &found)) {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        addLanguage(window, paths, std::string("lang\\") + found.cFileName);
    }
    selectLanguage(window, paths, settingsTable().get("lang_file"));
}

// A language file from anywhere; one inside the program's folder is kept
// by its place there, so that the folder can move.
void chooseLanguageFile(HWND window, std::vector<std::string>& paths)
{
    char path[MAX_PATH] = {};
    lstrcpynA(path, settingsTable().get("lang_file").c_str(), MAX_PATH);
    if (!showFileDialog(window, path, translate("lang"), translate("lang_file"), "*.lang", ".lang", false)) return;
    selectLanguage(window, paths, relativeWhenInside(path, programFolder()));
}

void onLanguageChosen(HWND window, const std::vector<std::string>& paths)
{
    const LRESULT chosen = sendItem(window, IDC_LANG_PATH, CB_GETCURSEL);
    if (chosen >= 0 && static_cast<size_t>(chosen) < paths.size()) {
        showTranslator(window, paths[static_cast<size_t>(chosen)]);
    }
}

// A list without a selection keeps the stored colour and position.
void storeColors(HWND window, int listId, const char* ownKey, const char* selectedKey, const char* entryKey)
{
    auto colorAt = [&](LRESULT entry) {
        return static_cast<uint32_t>(sendItem(window, listId, CB_GETITEMDATA, static_cast<WPARAM>(entry))) & 0xFFFFFF;
    };
    settingsTable().set(ownKey, formatColorSetting(colorAt(0)));
    const LRESULT selected = sendItem(window, listId, CB_GETCURSEL);
    if (selected == CB_ERR) return;
    settingsTable().set(selectedKey, formatColorSetting(colorAt(selected)));
    settingsTable().set(entryKey, std::to_string(selected));
}

std::string itemText(HWND window, int id)
{
    return readWindowText(GetDlgItem(window, id)).substr(0, 255);
}

void storeFlag(HWND window, int id, const char* key)
{
    settingsTable().set(key, IsDlgButtonChecked(window, id) == BST_CHECKED ? "true" : "false");
}

// The list's chosen item, or what was stored when it has none.
std::string chosenOrStored(HWND window, int id, const std::string& stored)
{
    return sendItem(window, id, CB_GETCURSEL) != CB_ERR ? itemText(window, id) : stored;
}

void storeChoices(HWND window, const StoredFont& stored)
{
    KeyValueTable& settings = settingsTable();
    storeColors(window, IDC_TEXT_COLOR_LIST, "fontcolor", "font_select_color", "fontindexcolor");
    storeColors(window, IDC_BK_COLOR_LIST, "bkcolor", "bk_select_color", "bkindexcolor");
    settings.set("font", chosenOrStored(window, IDC_FONT_LIST, stored.font));
    settings.set("fontsize", chosenOrStored(window, IDC_FONT_SIZE, stored.size));
    storeFlag(window, IDC_CLEAN_TEXT_DEFAULT, "clean_text");
    settings.set("gen_length", itemText(window, IDC_GEN_LENGTH));
    storeFlag(window, IDC_GEN_SYMBOLS, "gen_symbols");
    storeFlag(window, IDC_SHOW_PASS_DEFAULT, "show_pass");
    storeFlag(window, IDC_BOLD, "fontbold");
    storeFlag(window, IDC_CREATE_EXE_DEFAULT, "create_exe");
    storeFlag(window, IDC_SFX_GUARDED_DEFAULT, "sfx_guarded");
    settings.set("exe_path", itemText(window, IDC_EXE_PATH_DEFAULT));
    storeFlag(window, IDC_KEEP_PREVIOUS, "keep_previous_version");
    storeFlag(window, IDC_REOPEN_LAST, "reopen_last_list");
    const LRESULT lockEntry = sendItem(window, IDC_LOCK_MINUTES, CB_GETCURSEL);
    if (lockEntry >= 0 && static_cast<size_t>(lockEntry) < kLockMinutes.size()) {
        settings.set("lock_minutes", std::to_string(kLockMinutes[static_cast<size_t>(lockEntry)]));
    }
    saveCustomColors(customColors(), settings);
}

// One run of the dialog, on the stack of runOptionsDialog.
class OptionsDialog final : public Dialog {
public:
    OptionsDialog() : Dialog({IDC_OK, IDC_CANCEL}) {}

private:
    BOOL onInitDialog() override
    {
        fillControls(window(), stored_);
        fillLanguages(window(), languages_);
        return TRUE;
    }

    void onCommand(int id, int code) override
    {
        switch (id) {
        case IDC_TEXT_COLOR_PICK:
            chooseColor(window(), IDC_TEXT_COLOR_LIST);
            break;
        case IDC_BK_COLOR_PICK:
            chooseColor(window(), IDC_BK_COLOR_LIST);
            break;
        case IDC_EXE_PATH_SELECT:
            chooseExePath(window());
            break;
        case IDC_LANG_SELECT:
            chooseLanguageFile(window(), languages_);
            break;
        case IDC_LANG_PATH:
            if (code == CBN_SELCHANGE) onLanguageChosen(window(), languages_);
            break;
        case IDC_CREATE_EXE_DEFAULT:
            updateExeControls(window());
            break;
        default:
            break;
        }
    }

    void onOk() override
    {
        storeChoices(window(), stored_);
        const LRESULT language = sendItem(window(), IDC_LANG_PATH, CB_GETCURSEL);
        if (language >= 0 && static_cast<size_t>(language) < languages_.size()) {
            settingsTable().set("lang_file", languages_[static_cast<size_t>(language)]);
        }
        end(static_cast<INT_PTR>(OptionsEnd::Stored));
    }

    void onCancel() override { end(static_cast<INT_PTR>(OptionsEnd::Cancelled)); }
    // Stores nothing, yet is no Cancel: the caller reads the language again.
    void onClose() override { end(static_cast<INT_PTR>(OptionsEnd::Closed)); }

    std::optional<INT_PTR> onMessage(UINT message, WPARAM, LPARAM lParam) override
    {
        if (message == WM_MEASUREITEM) {
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(scaledForScreen(kItemHeight));
            return TRUE;
        }
        if (message == WM_DRAWITEM) return onDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return std::nullopt;
    }

    StoredFont stored_;
    // The language files the list offers, in its order.
    std::vector<std::string> languages_;
};

}  // namespace

OptionsEnd runOptionsDialog(HWND owner)
{
    OptionsDialog dialog;
    return endOf(runModalDialog(owner, IDD_OPTIONS, dialog), OptionsEnd::Cancelled);
}

}  // namespace tessaly
