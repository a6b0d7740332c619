#include "platform/file_paths.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(FilePaths, FolderAndNameSplitAtTheLastSeparator)
{
    EXPECT_EQ(folderWithBackslash("C:\\lists\\accounts.slp"), "C:\\lists\\");
    EXPECT_EQ(folderWithBackslash("accounts.slp"), "");
    EXPECT_EQ(fileNameOf("C:\\lists\\accounts.slp"), "accounts.slp");
    EXPECT_EQ(fileNameOf("Z:/work/list.slc"), "list.slc");
    EXPECT_EQ(fileNameOf("accounts.slp"), "accounts.slp");
    EXPECT_EQ(fileNameOf("C:\\lists\\"), "");
}

TEST(FilePaths, ExtensionsCompareLettersInAnyCase)
{
    EXPECT_TRUE(hasExtension("C:\\A.SLC", ".slc"));
    EXPECT_TRUE(hasExtension("a.slc", ".SLC"));
    EXPECT_FALSE(hasExtension("a.slc.bak", ".slc"));
    EXPECT_FALSE(hasExtension("slc", ".slc"));
}

TEST(FilePaths, ThePreviousVersionAndAnotherFormGoWhereTheExtensionIs)
{
    EXPECT_EQ(previousVersionPath("C:\\lists\\accounts.slp"), "C:\\lists\\accounts.old.slp");
    EXPECT_EQ(previousVersionPath("accounts.tar.slc"), "accounts.tar.old.slc");
    EXPECT_EQ(previousVersionPath("C:\\my.lists\\accounts"), "C:\\my.lists\\accounts.old");
    EXPECT_EQ(previousVersionPath(".slp"), ".slp.old") << "a name that is all extension";
    EXPECT_EQ(withExtension("C:\\my.lists\\accounts.slc", ".slp"), "C:\\my.lists\\accounts.slp");
    EXPECT_EQ(withExtension("C:\\my.lists\\accounts", ".slp"), "C:\\my.lists\\accounts.slp");
}

TEST(FilePaths, APathInsideAFolderIsMadeRelativeToItAndAnyOtherKept)
{
    EXPECT_EQ(relativeWhenInside("C:\\Tools\\Tessaly\\lang\\spanish.lang", "c:\\tools\\tessaly\\"),
              "lang\\spanish.lang");
    EXPECT_EQ(relativeWhenInside("C:\\Tools\\TessalyOld\\x.lang", "C:\\Tools\\Tessaly\\"),
              "C:\\Tools\\TessalyOld\\x.lang");
    EXPECT_EQ(relativeWhenInside("D:\\x.lang", "C:\\"), "D:\\x.lang");
    EXPECT_EQ(relativeWhenInside("C:\\Tools\\", "C:\\Tools\\"), "C:\\Tools\\") << "the folder itself";
    EXPECT_EQ(relativeWhenInside("lang\\default.lang", ""), "lang\\default.lang");
}

}  // namespace
}  // namespace tessaly
