#include "settings/ui_text_tables.h"

#include <map>

#include "resources/corvale_ids.h"

namespace tessaly {

namespace {

using T = TextTarget;

TextRow text(int id, const char* key)
{
    return {T::Control, id, 0, key, "", ""};
}

TextRow label(int id, const char* key)
{
    return {T::Control, id, 0, key, "", ":"};
}

TextRow title(const char* key)
{
    return {T::WindowTitle, 0, 0, key, "", ""};
}

TextRow menuItem(int command, const char* key, const char* prefix = "", const char* suffix = "")
{
    return {T::MenuCommand, command, 0, key, prefix, suffix};
}

const std::map<int, std::vector<TextRow>>& allTables()
{
    static const std::map<int, std::vector<TextRow>> tables = {
        {IDD_MAIN,
         {
             {T::Tab, IDC_TAB, 0, "list", "", ""},
             {T::Tab, IDC_TAB, 1, "list_bmp", "", ""},
             {T::Tab, IDC_TAB, 2, "list_bmp_encrypted", "", ""},
             {T::TitleFromSelectedTab, IDC_TAB, 0, "", "", ""},
             {T::MenuPosition, 0, 0, "file", "", ""},
             menuItem(ID_FILE_NEW, "new"),
             menuItem(ID_FILE_LOAD_LIST, "load_list", "", "..."),
             menuItem(ID_FILE_LOAD_BMP, "load_bmp"),
             menuItem(ID_FILE_LOAD_ENCRYPTED_BMP, "load_bmp_encrypted"),
             menuItem(ID_FILE_SAVE, "save"),
             menuItem(ID_FILE_SAVE_LIST, "save_list", "", "..."),
             menuItem(ID_FILE_LOCK, "lock"),
             menuItem(ID_FILE_SAVE_BMP, "save_bmp"),
             menuItem(ID_FILE_SAVE_ENCRYPTED_BMP, "save_bmp_encrypted"),
             menuItem(ID_FILE_IMPORT_CSV, "import_csv", "", "..."),
             menuItem(ID_FILE_EXPORT_CSV, "export_csv", "", "..."),
             menuItem(ID_FILE_EXIT, "exit_menu"),
             {T::MenuPosition, 0, 1, "edit_menu", "", ""},
             menuItem(ID_EDIT_GENERATE_PASSWORD, "generate_password"),
             menuItem(ID_EDIT_FIND, "find", "", "..."),
             menuItem(ID_EDIT_FIND_NEXT, "find_next"),
             menuItem(ID_COPY_USER, "copy_user"),
             menuItem(ID_COPY_PASS, "copy_pass"),
             menuItem(ID_EDIT_SELECT_ALL, "select_all"),
             menuItem(ID_EDIT_DELETE, "delete_menu"),
             menuItem(ID_OPTIONS, "options", "", "..."),
             {T::MenuPosition, 0, 3, "help", "", ""},
             menuItem(ID_HELP_HOME, "help_home", "&Velmora "),
             menuItem(ID_HELP_GUIDE, "help_guide"),
             menuItem(ID_HELP_SUPPORT, "help_support"),
             menuItem(ID_HELP_SUGGESTION, "help_suggestion"),
             menuItem(ID_HELP_ABOUT, "about", "", "..."),
             text(IDC_FRAME_ADD, "frame_add"),
             text(IDC_FRAME_SELECT, "frame_select"),
             label(IDC_LABEL_ADD_USER, "user"),
             label(IDC_LABEL_SELECT_USER, "user"),
             label(IDC_LABEL_ADD_PASS, "pass"),
             label(IDC_LABEL_SELECT_PASS, "pass"),
             label(IDC_LABEL_ADD_DESCRIPTION, "description"),
             label(IDC_LABEL_SELECT_DESCRIPTION, "description"),
             text(IDC_SHOW_ADD, "show_add"),
             text(IDC_SHOW_SELECT, "show_edit"),
             text(IDC_ADD, "add"),
             text(IDC_CLEAN_TEXT, "clean_text"),
             text(IDC_DELETE, "delete"),
             text(IDC_REFRESH, "refresh"),
             text(IDC_EXIT, "exit_main"),
             text(IDC_LOCKED_TEXT, "locked_text"),
             {T::Control, IDC_UNLOCK, 0, "unlock", "", "..."},
         }},
        {IDD_LIST_PAGE,
         {
             {T::ListColumn, IDC_LIST, 0, "user", "", ""},
             {T::ListColumn, IDC_LIST, 1, "pass", "", ""},
             {T::ListColumn, IDC_LIST, 2, "description", "", ""},
             text(IDC_GENERATE_IMAGE, "generate_image"),
             text(IDC_SHOW_PASS_ON_LIST, "show_pass_on_list"),
         }},
        {IDD_IMAGE_PAGE,
         {
             text(IDC_ENCRYPT, "encrypt"),
             text(IDC_SPOTLIGHT, "spotlight"),
         }},
        {IDD_ENCRYPTED_PAGE, {text(IDC_DECRYPT, "decrypt")}},
        {IDD_OPTIONS,
         {
             title("options_title"),
             text(IDC_FRAME_BMP, "bmp_colors_and_fonts"),
             text(IDC_FRAME_GENERAL, "general"),
             text(IDC_FRAME_CREATE_EXE, "create_exe"),
             label(IDC_LABEL_FONT, "font"),
             label(IDC_LABEL_COLOR, "color"),
             label(IDC_LABEL_SIZE, "size"),
             text(IDC_BOLD, "bold"),
             label(IDC_LABEL_BK_COLOR, "background_color"),
             text(IDC_CLEAN_TEXT_DEFAULT, "clean_text_available_by_default"),
             text(IDC_SHOW_PASS_DEFAULT, "show_pass_available_by_default"),
             text(IDC_CREATE_EXE_DEFAULT, "create_exe_available_by_default"),
             text(IDC_SFX_GUARDED_DEFAULT, "sfx_guarded_default"),
             text(IDC_EXE_PATH_SELECT, "examine"),
             text(IDC_OK, "accept"),
             text(IDC_CANCEL, "cancel"),
             text(IDC_FRAME_LANG, "lang"),
             text(IDC_LANG_SELECT, "examine_lang"),
             text(IDC_FRAME_GENERATOR, "password_generator"),
             label(IDC_LABEL_GEN_LENGTH, "gen_length"),
             text(IDC_GEN_SYMBOLS, "gen_symbols"),
             text(IDC_FRAME_LISTS, "saved_lists"),
             text(IDC_KEEP_PREVIOUS, "keep_previous_version"),
             text(IDC_REOPEN_LAST, "reopen_last_list"),
             label(IDC_LABEL_LOCK_MINUTES, "lock_after"),
         }},
        {IDD_FIND,
         {
             title("find_title"),
             label(IDC_LABEL_FIND_TEXT, "find_what"),
             text(IDC_OK, "find_next_button"),
             text(IDC_CANCEL, "close"),
         }},
        {IDD_ENCRYPT,
         {
             title("encrypt_title"),
             text(IDC_FRAME_PASSWORD, "pass"),
             text(IDC_FRAME_EXE, "create_exe"),
             label(IDC_LABEL_PASSWORD, "pass"),
             label(IDC_LABEL_PASSWORD_REPEAT, "pass_repeat"),
             label(IDC_LABEL_STRENGTH, "strength"),
             text(IDC_CREATE_EXE, "create_exe_file"),
             text(IDC_SFX_GUARD, "sfx_guard"),
             text(IDC_EXE_PATH_SAVE, "save"),
             text(IDC_CANCEL, "cancel"),
             text(IDC_OK, "accept"),
         }},
        {IDD_PROGRESS,
         {
             title("please_wait"),
             text(IDC_CANCEL, "cancel"),
         }},
        {IDD_GENERATE,
         {
             title("generate_bmp_title"),
             text(IDC_FRAME_GENERATE, "options_area"),
             text(IDC_USE_PERSONAL_COLORS, "use_personal_colors"),
             text(IDC_USE_PERSONAL_IMAGE, "use_personal_image"),
             text(IDC_IMAGE_SELECT, "examine"),
             text(IDC_OK, "accept"),
             text(IDC_CANCEL, "cancel"),
         }},
        {IDD_ABOUT, {text(IDC_ABOUT_CLOSE, "exit_about")}},
        {IDD_PROTECT_LIST,
         {
             title("protect_list_title"),
             label(IDC_LABEL_PASSWORD, "pass"),
             label(IDC_LABEL_PASSWORD_REPEAT, "pass_repeat"),
             label(IDC_LABEL_STRENGTH, "strength"),
             text(IDC_PROTECT_HINT, "protect_list_hint"),
             text(IDC_OK, "accept"),
             text(IDC_CANCEL, "cancel"),
         }},
        {IDD_CSV_PREVIEW,
         {
             title("csv_preview_title"),
             {T::ListColumn, IDC_PREVIEW_LIST, 0, "user", "", ""},
             {T::ListColumn, IDC_PREVIEW_LIST, 1, "pass", "", ""},
             {T::ListColumn, IDC_PREVIEW_LIST, 2, "description", "", ""},
             text(IDC_OK, "accept"),
             text(IDC_CANCEL, "cancel"),
         }},
        {IDD_OPEN_PROTECTED_LIST,
         {
             title("open_protected_list_title"),
             label(IDC_LABEL_PASSWORD, "pass"),
             text(IDC_OK, "accept"),
             text(IDC_CANCEL, "cancel"),
         }},
        {IDD_DECRYPT,
         {
             title("decrypt_title"),
             text(IDC_FRAME_DECRYPT_PASSWORD, "pass"),
             label(IDC_LABEL_DECRYPT_PASSWORD, "pass"),
             label(IDC_LABEL_DECRYPT_REPEAT, "pass_repeat"),
             text(IDC_OK, "accept"),
             text(IDC_CANCEL, "cancel"),
         }},
    };
    return tables;
}

}  // namespace

const std::vector<TextRow>& textRowsFor(int templateId)
{
    static const std::vector<TextRow> none;
    auto found = allTables().find(templateId);
    return found == allTables().end() ? none : found->second;
}

std::vector<int> templatesWithTexts()
{
    std::vector<int> ids;
    for (const auto& table : allTables()) ids.push_back(table.first);
    return ids;
}

std::string composeText(const TextRow& row, std::string_view translation)
{
    return std::string(row.prefix) + std::string(translation) + row.suffix;
}

std::string mainWindowTitle(std::string_view tabCaption, std::string_view fileName, bool modified)
{
    std::string title = "Tessaly - " + std::string(tabCaption.substr(0, 255));
    if (!fileName.empty()) title.append(" - ").append(fileName);
    if (modified) title += '*';
    return title;
}

}  // namespace tessaly
