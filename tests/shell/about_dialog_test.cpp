#include "shell/about_dialog.h"
#include "platform/text_codec.h"

#include <memory>
#include <string>
#include <vector>

#include "settings/language.h"
#include "tests/support/main_window_fixture.h"

namespace tessaly {
namespace {

class AboutDialogTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(openMainWindow());
        state().openAddress = [this](const std::string& address) { opened.push_back(address); };
    }

    // The About box's title, name, description and invitation; its link is
    // clicked before it is closed.
    std::vector<std::string> aboutBox(const std::string& title)
    {
        auto texts = std::make_shared<std::vector<std::string>>();
        testing::DialogResponder responder(
            {{title, [texts](HWND about) {
                  texts->push_back(testing::windowText(about));
                  for (int id : {IDC_ABOUT_NAME, IDC_ABOUT_DESCRIPTION, IDC_ABOUT_INVITATION}) {
                      texts->push_back(testing::dialogItemText(about, id));
                  }
                  HWND link = GetDlgItem(about, IDC_ABOUT_LINK);
                  SendMessageA(about, WM_COMMAND, MAKEWPARAM(IDC_ABOUT_LINK, STN_CLICKED),
                               reinterpret_cast<LPARAM>(link));
                  testing::pressButton(about, IDC_ABOUT_CLOSE);
              }}});
        PostMessageA(window, WM_COMMAND, ID_HELP_ABOUT, 0);
        responder.finish();
        testing::pumpFor(50);
        return *texts;
    }

    std::vector<std::string> opened;
};

TEST_F(AboutDialogTest, AboutSpeaksTheLanguageOfTheCodeAndItsLinkOpensTheSite)
{
    const auto english = aboutBox("About Velmora Tessaly v1.1");
    ASSERT_EQ(english.size(), 4u);
    EXPECT_EQ(english[1], "Velmora Tessaly v1.1");
    EXPECT_EQ(english[2].substr(0, 21), "Tessaly allows hiding");
    EXPECT_EQ(english[3], "Visit our page in:");
    EXPECT_EQ(opened, std::vector<std::string>{"https://www.velmora.example"});

    ASSERT_TRUE(loadLanguage(languageTable(), folder.file("lang/spanish.lang"), systemTextCodec()));
    const auto spanish = aboutBox("Acerca de Tessaly");
    ASSERT_EQ(spanish.size(), 4u);
    EXPECT_EQ(spanish[3], "Visite nuestra p\xC3\xA1gina web en:");
}

}  // namespace
}  // namespace tessaly
