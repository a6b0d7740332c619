#include "shell/configuration.h"

#include "controls/file_dialog.h"
#include "platform/file_io.h"
#include "platform/text_codec.h"
#include "settings/default_settings_resource.h"
#include "settings/language.h"
#include "settings/message_box.h"
#include "settings/settings.h"

namespace tessaly {

namespace {

constexpr char kSettingsFile[] = "conf.dat";

constexpr char kDefaultLanguageFile[] = "lang\\default.lang";

// A language file that is gone (the folder moved, the file was deleted)
// gives way to the shipped one; only without that is the user asked.
// Start-up texts are fixed English: no language is loaded yet.
bool ensureLanguageFile(HWND owner)
{
    if (isReadableFile(settingsTable().get("lang_file"))) return true;
    if (isReadableFile(kDefaultLanguageFile)) {
        settingsTable().set("lang_file", kDefaultLanguageFile);
        return true;
    }
    MessageBoxA(owner, "No language file has been selected.\nPlease choose one.", "Error", MB_OK | MB_ICONSTOP);
    char path[MAX_PATH] = {};
    if (!showFileDialog(owner, path, "Open file", "Language file", "*.lang", ".lang", false)) return false;
    settingsTable().set("lang_file", path);
    return true;
}

}  // namespace

bool loadConfiguration(HWND owner)
{
    // Loading appends: a table left from an earlier window would win.
    settingsTable().clear();
    loadSettings(settingsTable(), kSettingsFile, defaultSettingsText(), systemTextCodec());
    if (!ensureLanguageFile(owner)) return false;
    // The file was just found readable; should reading it fail after all,
    // the captions of the templates stay, and nothing can be said in the
    // user's language yet.
    (void)loadLanguage(languageTable(), settingsTable().get("lang_file"), systemTextCodec());
    loadCustomColors(settingsTable(), customColors());
    return true;
}

void saveConfiguration(HWND owner)
{
    if (!settingsTable().saveToFile(kSettingsFile)) {
        showTranslatedMessage(owner, "cannot_save_settings", "error", MB_OK | MB_ICONERROR);
    }
}

}  // namespace tessaly
