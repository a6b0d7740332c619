#include "controls/file_dialog_rules.h"

#include <gtest/gtest.h>

#include "platform/file_paths.h"

namespace tessaly {
namespace {

TEST(FileDialogRules, InitialFolder)
{
    EXPECT_EQ(initialFolderFor("", "C:\\Program"), "C:\\Program");
    EXPECT_EQ(initialFolderFor("C:\\lists\\mine.slc", "C:\\Program"), "C:\\lists\\");
    EXPECT_EQ(initialFolderFor("mine.slc", "C:\\Program"), "C:\\Program");
    EXPECT_EQ(initialFolderFor("lang\\default.lang", "C:\\Program"), "lang\\");
    EXPECT_EQ(folderWithBackslash("C:\\Tessaly\\Corvale.exe"), "C:\\Tessaly\\");
    EXPECT_EQ(folderWithBackslash("Corvale.exe"), "");
}

TEST(FileDialogRules, FilterAndExtension)
{
    EXPECT_EQ(buildFileFilter({{"Language file", "*.lang"}}), std::string("Language file (*.lang)\0*.lang\0\0", 31));
    EXPECT_EQ(buildFileFilter({{"", "*.bmp"}}), std::string(" (*.bmp)\0*.bmp\0\0", 16));
    EXPECT_EQ(buildFileFilter({{"A", "*.a"}, {"All", "*.a;*.b"}}),
              std::string("A (*.a)\0*.a\0All (*.a;*.b)\0*.a;*.b\0\0", 35));
    EXPECT_EQ(defaultExtensionForDialog(".lang"), "lang");
    EXPECT_EQ(defaultExtensionForDialog("slc"), "slc");
    EXPECT_EQ(defaultExtensionForDialog(""), "");
}

}  // namespace
}  // namespace tessaly
