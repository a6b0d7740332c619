#include "settings/apply_texts.h"
#include "platform/text_codec.h"

#include <commctrl.h>

#include "resources/corvale_ids.h"
#include "settings/language.h"
#include "shell/main_window.h"
#include "tests/support/corvale_fixture.h"

namespace tessaly {
namespace {

using testing::dialogItemText;
using testing::windowText;

std::string columnText(HWND list, int column)
{
    char text[256] = {};
    LVCOLUMNA info{};
    info.mask = LVCF_TEXT;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
    return text;
}

class ApplyTextsTest : public testing::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        window = createMainWindow();
        ASSERT_TRUE(window);
    }

    void useLanguage(const std::string& bytes)
    {
        testing::writeFile(folder.file("other.lang"), bytes);
        ASSERT_TRUE(loadLanguage(languageTable(), folder.file("other.lang"), systemTextCodec()));
    }
};

TEST_F(ApplyTextsTest, ANewLanguageChangesWindowMenuPagesAndTitle)
{
    showPage(window, 1);
    ASSERT_TRUE(loadLanguage(languageTable(), folder.file("lang/spanish.lang"), systemTextCodec()));
    applyTexts(window, IDD_MAIN);
    const auto& pages = mainWindowState(window).pages;
    applyTexts(pages[0], IDD_LIST_PAGE);
    applyTexts(pages[1], IDD_IMAGE_PAGE);

    EXPECT_EQ(windowText(window), "Tessaly - Imagen");
    EXPECT_EQ(testing::menuText(window, ID_OPTIONS, false), "&Opciones...");
    EXPECT_EQ(testing::menuText(window, ID_FILE_SAVE_LIST, false), "Guardar lista c&omo...");
    // A label's access key comes from its own caption in the language shown.
    EXPECT_EQ(dialogItemText(window, IDC_LABEL_ADD_PASS), "&Contrase\xC3\xB1"
                                                          "a:");
    EXPECT_EQ(dialogItemText(pages[0], IDC_GENERATE_IMAGE), "&Generar imagen");
    EXPECT_EQ(columnText(GetDlgItem(pages[0], IDC_LIST), 1), "Contrase\xC3\xB1"
                                                             "a");
    EXPECT_EQ(columnText(GetDlgItem(pages[0], IDC_LIST), 2), "Descripci\xC3\xB3n");
    EXPECT_EQ(dialogItemText(pages[1], IDC_ENCRYPT), "&Encriptar");
}

TEST_F(ApplyTextsTest, MissingKeysGiveEmptyCaptionsOrOnlyTheSuffix)
{
    useLanguage("/ almost nothing\r\noptions=Settings\r\n");
    applyTexts(window, IDD_MAIN);
    EXPECT_EQ(dialogItemText(window, IDC_ADD), "");
    EXPECT_EQ(dialogItemText(window, IDC_LABEL_ADD_USER), ":");
    EXPECT_EQ(testing::menuText(window, ID_OPTIONS, false), "Settings...");
    EXPECT_EQ(testing::menuText(window, ID_HELP_HOME, false), "&Velmora ");
    EXPECT_EQ(windowText(window), "Tessaly - ");
}

TEST_F(ApplyTextsTest, TemplatesWithoutRowsChangeNothing)
{
    const std::string before = windowText(window);
    const std::string add = dialogItemText(window, IDC_ADD);
    applyTexts(window, 9999);
    // Rows of another window whose controls do not exist here are skipped.
    applyTexts(window, IDD_OPTIONS);
    EXPECT_EQ(dialogItemText(window, IDC_ADD), add);
    applyTexts(window, IDD_MAIN);
    EXPECT_EQ(windowText(window), before);
    // Its title row applies to any window (the main window sets its own
    // title again as soon as a control of it changes).
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    applyTexts(other, IDD_OPTIONS);
    EXPECT_EQ(windowText(other), "Options");
    DestroyWindow(other);
}

}  // namespace
}  // namespace tessaly
