#include "settings/ui_text_tables.h"

#include <gtest/gtest.h>

#include "resources/corvale_ids.h"
#include "settings/key_value_table.h"

namespace tessaly {
namespace {

// The text a control of a template gets from a language file's bytes.
std::string textOf(int templateId, TextTarget target, int id, const std::string& languageFile)
{
    KeyValueTable table;
    parseKeyValueText(languageFile, CommentLines::Skipped, table);
    for (const TextRow& row : textRowsFor(templateId)) {
        if (row.target == target && row.id == id) return composeText(row, table.get(row.key));
    }
    ADD_FAILURE() << "no row for " << id << " in " << templateId;
    return {};
}

TEST(CaptionTables, TextsWithTheirPrefixesAndSuffixes)
{
    EXPECT_EQ(textOf(IDD_MAIN, TextTarget::MenuCommand, ID_OPTIONS, "OPTIONS=Settings\n"), "Settings...");
    EXPECT_EQ(textOf(IDD_MAIN, TextTarget::MenuCommand, ID_HELP_ABOUT, "about=&About\n"), "&About...");
    EXPECT_EQ(textOf(IDD_MAIN, TextTarget::MenuCommand, ID_HELP_HOME, "help_home=Home Page\n"), "&Velmora Home Page");
    // A missing key leaves only what the table adds.
    EXPECT_EQ(textOf(IDD_MAIN, TextTarget::Control, IDC_LABEL_ADD_USER, "add=&Add\n"), ":");
    EXPECT_EQ(textOf(IDD_MAIN, TextTarget::Control, IDC_LABEL_SELECT_USER, "user=User\n"), "User:");
    EXPECT_EQ(textOf(IDD_MAIN, TextTarget::Control, IDC_ADD, "user=User\n"), "");
    EXPECT_EQ(textOf(IDD_OPTIONS, TextTarget::Control, IDC_LABEL_BK_COLOR, "background_color=Fondo\n"), "Fondo:");
    EXPECT_EQ(textOf(IDD_PROGRESS, TextTarget::WindowTitle, 0, "please_wait=Wait\n"), "Wait");
}

TEST(CaptionTables, EveryWindowOfTheProgramHasItsRows)
{
    for (int id : {IDD_MAIN, IDD_LIST_PAGE, IDD_IMAGE_PAGE, IDD_ENCRYPTED_PAGE, IDD_OPTIONS, IDD_ENCRYPT, IDD_PROGRESS,
                   IDD_GENERATE, IDD_ABOUT, IDD_DECRYPT, IDD_FIND}) {
        EXPECT_FALSE(textRowsFor(id).empty()) << id;
    }
    EXPECT_TRUE(textRowsFor(12345).empty());
    // The main window's menu: three pop-ups by position, twenty-five items by
    // command.
    int positions = 0, commands = 0;
    for (const TextRow& row : textRowsFor(IDD_MAIN)) {
        positions += row.target == TextTarget::MenuPosition;
        commands += row.target == TextTarget::MenuCommand;
    }
    EXPECT_EQ(positions, 3);
    EXPECT_EQ(commands, 25);
}

TEST(CaptionTables, MainWindowTitle)
{
    EXPECT_EQ(mainWindowTitle("List"), "Tessaly - List");
    EXPECT_EQ(mainWindowTitle(""), "Tessaly - ");
    EXPECT_EQ(mainWindowTitle(std::string(300, 'x')), "Tessaly - " + std::string(255, 'x'));
    EXPECT_EQ(mainWindowTitle("List", "", true), "Tessaly - List*");
    EXPECT_EQ(mainWindowTitle("List", "accounts.slp", false), "Tessaly - List - accounts.slp");
    EXPECT_EQ(mainWindowTitle("Image", "accounts.slp", true), "Tessaly - Image - accounts.slp*");
}

}  // namespace
}  // namespace tessaly
