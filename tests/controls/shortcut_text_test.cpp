#include "controls/shortcut_text.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(ShortcutText, KeysAndModifiersAreNamedAsMenusShowThem)
{
    EXPECT_EQ(shortcutText({'S', true, true, false}), "Ctrl+Shift+S");
    EXPECT_EQ(shortcutText({'N', true, false, false}), "Ctrl+N");
    EXPECT_EQ(shortcutText({'4', false, false, true}), "Alt+4");
    EXPECT_EQ(shortcutText({0x72, false, false, false}), "F3");
    EXPECT_EQ(shortcutText({0x87, false, false, false}), "F24");
    EXPECT_EQ(shortcutText({0x2E, false, false, false}), "Del");
    // A key without a name gives no text rather than a wrong one.
    EXPECT_EQ(shortcutText({0x0D, true, false, false}), "");
    EXPECT_EQ(shortcutText({'a', true, false, false}), "");
}

TEST(ShortcutText, AMenuItemKeepsItsTextAndGetsOneShortcutPart)
{
    EXPECT_EQ(withShortcut("&Find...", "Ctrl+F"), "&Find...\tCtrl+F");
    EXPECT_EQ(withShortcut("Copy &user name\tCtrl+Q", "Ctrl+B"), "Copy &user name\tCtrl+B");
    EXPECT_EQ(withShortcut("&Save\told\textra", "Ctrl+S"), "&Save\tCtrl+S");
    EXPECT_EQ(withShortcut("&Save\tCtrl+S", ""), "&Save");
    EXPECT_EQ(withShortcut("", "F3"), "\tF3");
}

}  // namespace
}  // namespace tessaly
