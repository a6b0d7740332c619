#include "settings/language.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/ui_text_tables.h"
#include "tests/support/latin1_codec.h"
#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

const char* const kDefaultLanguage = TESSALY_SOURCE_DIR "/resources/lang/default.lang";
const char* const kSpanishLanguage = TESSALY_SOURCE_DIR "/resources/lang/spanish.lang";
const char* const kRussianLanguage = TESSALY_SOURCE_DIR "/resources/lang/russian.lang";

// Keys the program fetches with translate() outside the caption tables.
const char* const kKeysOutsideTables[] = {
    "exit_main",
    "save_changes_title",
    "save_changes_to",
    "save_changes_new",
    "plain_save_warning",
    "not_a_list",
    "locked",
    "recent_lists",
    "never",
    "status_saved",
    "status_copied_user",
    "status_copied_pass",
    "status_cleared",
    "status_imported",
    "status_imported_changed",
    "status_written",
    "status_locked",
    "delete_title",
    "delete_entry_question",
    "delete_entries_question",
    "apply_changes_question",
    "language_name",
    "password_outside_code_page",
    "cannot_create_guarded_sfx",
    "reading_csv",
    "csv_too_large",
    "csv_out_of_memory",
    "csv_too_many",
    "csv_no_entries",
    "status_rows_skipped",
    "status_repeated_columns",
    "csv_layout",
    "csv_layout_generic",
    "csv_entries_found",
    "csv_entries_found_changed",
    "csv_changed_password",
    "csv_changed_user",
    "plain_form_lacks_characters",
    "save_protected_instead",
    "list_entries_replaced",
    "csv_zero_byte",
    "csv_field_too_long",
    "minutes",
    "are_you_sure_exit",
    "new_file",
    "are_you_sure_new_file",
    "warning",
    "you_must_insert_user",
    "you_must_insert_pass",
    "regenerate_bmp",
    "open_file",
    "save_file",
    "pass_list",
    "bitmap_image",
    "sfx_file",
    "too_short",
    "weak",
    "good",
    "very_good",
    "excellent",
    "executable",
    "exe_path",
    "lang",
    "lang_file",
    "loading_image",
    "loading_list",
    "encrypting",
    "decrypting",
    "saving_image",
    "building_sfx",
    "generating",
    "generating_pass",
    "sfx_insert_password",
    "sfx_ok",
    "sfx_cancel",
    "sfx_wait",
    "user",
    "pass",
    "description",
    "list",
    "list_bmp",
    "list_bmp_encrypted",
    "translated_by",
    "lang_code",
    // Messages of the program's own checks.
    "error",
    "list_file_damaged",
    "cannot_open_file",
    "cannot_save_file",
    "cannot_save_settings",
    "no_image_to_save",
    "no_image_to_encrypt",
    "no_image_to_decrypt",
    "background_not_loaded",
    "cannot_create_sfx",
    "cannot_load_language",
    "copy_user",
    "copy_pass",
    "cannot_load_image",
    "image_too_large",
    "not_found",
    "csv_file",
    "export_csv_warning",
    "csv_missing_column",
    "csv_broken_quoting",
    "csv_entries_changed",
    "cannot_generate_password",
    "list_empty",
    "protected_list",
    "all_list_files",
    "wrong_password",
    "damaged_protected_list",
    "system_crypto_unavailable",
    "protecting_list",
    "opening_list",
    "sfx_wrong_password",
};

std::set<std::string> keysTheProgramUses()
{
    std::set<std::string> keys(std::begin(kKeysOutsideTables), std::end(kKeysOutsideTables));
    for (int templateId : templatesWithTexts()) {
        for (const TextRow& row : textRowsFor(templateId)) {
            if (*row.key) keys.insert(row.key);
        }
    }
    return keys;
}

// How many "%i" a format holds; -1 when it holds any other conversion.
int integerConversions(const std::string& format)
{
    int count = 0;
    for (size_t pos = format.find('%'); pos != std::string::npos; pos = format.find('%', pos + 2)) {
        if (pos + 1 >= format.size() || format[pos + 1] != 'i') return -1;
        ++count;
    }
    return count;
}

TEST(LoadLanguage, MissingFileKeepsTheOldTextsAndEmptyFileClearsThem)
{
    testing::TempFolder folder;
    KeyValueTable table;
    table.append("add", "Add");
    EXPECT_FALSE(loadLanguage(table, folder.file("missing.lang"), utf8ProgramCodec()));
    EXPECT_EQ(table.get("add"), "Add");

    testing::writeFile(folder.file("empty.lang"), "");
    EXPECT_TRUE(loadLanguage(table, folder.file("empty.lang"), utf8ProgramCodec()));
    EXPECT_TRUE(table.entries().empty());

    testing::writeFile(folder.file("es.lang"), "/Spanish\r\n//x=y\r\nOPTIONS=Ajustes\r\nadd=Agregar\r\n");
    EXPECT_TRUE(loadLanguage(table, folder.file("es.lang"), utf8ProgramCodec()));
    EXPECT_EQ(table.entries().size(), 2u);
    EXPECT_EQ(table.get("options"), "Ajustes");
}

TEST(LoadLanguage, TranslateReadsTheCurrentLanguage)
{
    testing::TempFolder folder;
    testing::writeFile(folder.file("a.lang"), "Warning=Achtung\n");
    ASSERT_TRUE(loadLanguage(languageTable(), folder.file("a.lang"), utf8ProgramCodec()));
    EXPECT_EQ(translate("warning"), "Achtung");
    EXPECT_EQ(translate("nothing"), "");
}

TEST(FormatIntegers, FillsOnlyIntegerConversions)
{
    EXPECT_EQ(formatIntegers("%i/%i", {3, 10}), "3/10");
    EXPECT_EQ(formatIntegers("Entries read: %d.", {7}), "Entries read: 7.");
    EXPECT_EQ(formatIntegers("%s %n %x 100%% %i", {5}), "%s %n %x 100% 5");
    EXPECT_EQ(formatIntegers("%i %i %i", {1}), "1 %i %i");
    EXPECT_EQ(formatIntegers("trailing %", {1}), "trailing %");
}

TEST(FormatName, FillsTheFirstNameConversionOnly)
{
    EXPECT_EQ(formatName("Save the changes to %s?", "accounts.slp"), "Save the changes to accounts.slp?");
    EXPECT_EQ(formatName("%s and %s, 100%%", "a%sb"), "a%sb and %s, 100%") << "the name is not read again";
    EXPECT_EQ(formatName("no name %i", "x"), "no name %i");
    EXPECT_EQ(formatName("trailing %", "x"), "trailing %");
}

TEST(FormatIntegers, TakesPrintfFlagsWidthAndPrecisionAndCutsTheResult)
{
    EXPECT_EQ(formatIntegers("Drawing entry %i of %i...", {3, 7}), "Drawing entry 3 of 7...");
    EXPECT_EQ(formatIntegers("[%5i|%-4d|%03i|%+i|% d|%.4i]", {42, 7, 5, 9, 8, 12}), "[   42|7   |005|+9| 8|0012]");
    EXPECT_EQ(formatIntegers("%s of %i", {3, 7}), "%s of 3") << "a stray %s stands and reads nothing";
    EXPECT_EQ(formatIntegers("%i %i %i", {1, 2}), "1 2 %i") << "no third value is read";
    EXPECT_EQ(formatIntegers("%ld %*i %#i %1234i", {1, 2}), "%ld %*i %#i %1234i");
    const std::string wide = formatIntegers("%120i of %120i", {3, 7}, 127);
    EXPECT_EQ(wide.size(), 127u);
    EXPECT_EQ(wide.substr(0, 120), std::string(119, ' ') + "3");
    EXPECT_EQ(wide.substr(120), " of    ");
}

TEST(LanguageFiles, EachHoldsEveryKeyOnceAndNothingElse)
{
    const std::set<std::string> used = keysTheProgramUses();
    for (const char* path : {kDefaultLanguage, kSpanishLanguage, kRussianLanguage}) {
        const std::string bytes = testing::readFile(path);
        ASSERT_FALSE(bytes.empty()) << path;
        KeyValueTable table;
        ASSERT_TRUE(loadLanguage(table, path, utf8ProgramCodec()));

        std::set<std::string> seen;
        for (const auto& entry : table.entries()) {
            EXPECT_TRUE(seen.insert(entry.key).second) << path << ": " << entry.key << " twice";
            EXPECT_TRUE(used.count(entry.key) || entry.key == "lang_translator") << path << ": unused " << entry.key;
        }
        for (const auto& key : used) {
            EXPECT_FALSE(table.get(key).empty()) << path << ": no text for " << key;
        }
        // Every line is a comment or a record: none runs into the next key.
        size_t lines = 0, comments = 0;
        for (size_t pos = 0; pos < bytes.size(); pos = bytes.find('\n', pos) + 1) {
            ++lines;
            comments += bytes[pos] == '/';
        }
        EXPECT_GT(comments, 0u) << path << " says what it is in comment lines";
        EXPECT_EQ(table.entries().size(), lines - comments) << path;
        EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << path;
    }
}

TEST(LanguageFiles, CodesAndFormats)
{
    KeyValueTable english, spanish, russian;
    ASSERT_TRUE(loadLanguage(english, kDefaultLanguage, utf8ProgramCodec()));
    ASSERT_TRUE(loadLanguage(spanish, kSpanishLanguage, utf8ProgramCodec()));
    ASSERT_TRUE(loadLanguage(russian, kRussianLanguage, utf8ProgramCodec()));
    EXPECT_EQ(english.get("lang_code"), "en-US");
    EXPECT_EQ(spanish.get("lang_code"), "es-ES");
    EXPECT_EQ(russian.get("lang_code"), "ru-RU");
    // The Spanish file is in the Western code page, as it always was; the
    // Russian one is UTF-8.
    EXPECT_EQ(spanish.get("cancel"), "&Cancelar");
    EXPECT_EQ(spanish.get("exit_main"), "Salir");
    EXPECT_EQ(spanish.get("pass_repeat"), "Repetir contrase\xC3\xB1"
                                          "a");
    EXPECT_EQ(russian.get("pass"), "\xD0\x9F\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C");
    for (const auto* table : {&english, &spanish, &russian}) {
        // The formats are filled with two integers and with one.
        EXPECT_EQ(integerConversions(table->get("generating_pass")), 2);
        EXPECT_EQ(integerConversions(table->get("list_file_damaged")), 1);
        for (const char* key : {"csv_missing_column", "csv_broken_quoting", "csv_entries_changed", "csv_zero_byte",
                                "csv_field_too_long", "plain_form_lacks_characters", "list_entries_replaced"}) {
            EXPECT_EQ(integerConversions(table->get(key)), 1) << key;
        }
        // The file's name goes where its one "%s" stands.
        const std::string question = table->get("save_changes_to");
        EXPECT_NE(question.find("%s"), std::string::npos);
        EXPECT_EQ(question.find("%s"), question.rfind("%s"));
    }
}

}  // namespace
}  // namespace tessaly
