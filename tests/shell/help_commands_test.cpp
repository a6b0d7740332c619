#include <string>
#include <vector>

#include "resources/corvale_ids.h"
#include "tests/support/main_window_fixture.h"

namespace tessaly {
namespace {

TEST_F(MainWindowTest, EachHelpCommandOpensExactlyItsPage)
{
    ASSERT_TRUE(openMainWindow());
    std::vector<std::string> opened;
    state().openAddress = [&opened](const std::string& address) { opened.push_back(address); };
    for (int id : {ID_HELP_HOME, ID_HELP_GUIDE, ID_HELP_SUPPORT, ID_HELP_SUGGESTION}) {
        SendMessageA(window, WM_COMMAND, id, 0);
    }
    EXPECT_EQ(opened, (std::vector<std::string>{"https://www.velmora.example/",
                                                "https://www.velmora.example/userGuide.asp?id=3",
                                                "https://www.velmora.example/support.asp",
                                                "https://www.velmora.example/suggestion.asp?id=3"}));
}

}  // namespace
}  // namespace tessaly
