#include "platform/file_replacement.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/file_io.h"
#include "platform/win32_handles.h"
#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

using testing::listFolder;
using testing::readFile;

TEST(FileReplacement, ASavedFileKeepsTheAttributesTheUserSetOnIt)
{
    testing::TempFolder folder;
    const std::string path = folder.file("list.slc");
    testing::writeFile(path, "old");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(writeFileReplacing(path, "new"));
    EXPECT_EQ(readFile(path), "new");
    EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(listFolder(folder.path()), "list.slc\n");
}

TEST(FileReplacement, AReplacementNotCommittedLeavesTheTargetAndNoTemporaryFile)
{
    testing::TempFolder folder;
    const std::string path = folder.file("list.exe");
    testing::writeFile(path, "old");
    {
        FileReplacement replacement(path);
        ASSERT_TRUE(replacement);
        EXPECT_TRUE(replacement.write({"half", " written"}));
        EXPECT_EQ(readFile(replacement.temporaryPath()), "half written");
    }
    EXPECT_EQ(readFile(path), "old");
    EXPECT_EQ(listFolder(folder.path()), "list.exe\n");

    FileReplacement missingFolder(folder.file("no such folder\\list.exe"));
    EXPECT_FALSE(missingFolder);
    EXPECT_FALSE(missingFolder.write({"x"}));
    EXPECT_FALSE(missingFolder.commit());
}

TEST(FileReplacement, TheFileBeingWrittenIsHiddenAndOnlyLeftoversAreRemoved)
{
    testing::TempFolder folder;
    const std::string path = folder.file("list.slc");
    {
        FileReplacement replacement(path);
        ASSERT_TRUE(replacement.write({"plain passwords"}));
        EXPECT_TRUE(GetFileAttributesA(replacement.temporaryPath().c_str()) & FILE_ATTRIBUTE_HIDDEN);
        ASSERT_TRUE(replacement.commit());
    }
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY), 0u)
        << "the saved file is an ordinary one";

    // What a crash between writing and replacing leaves, beside another
    // program's file of the same form and one still being written.
    const std::string leftover = folder.file("tsy1A2B.tmp");
    testing::writeFile(leftover, "plain passwords");
    ASSERT_TRUE(SetFileAttributesA(leftover.c_str(), FILE_ATTRIBUTE_HIDDEN));
    testing::writeFile(folder.file("tsy0001.tmp"), "someone else's");
    FileReplacement writing(folder.file("other.slc"));
    ASSERT_TRUE(writing.write({"being written"}));
    FileHandle open(CreateFileA(writing.temporaryPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr));
    ASSERT_TRUE(open);
    removeLeftoverReplacements(folder.path() + "\\");
    EXPECT_FALSE(testing::fileExists(leftover));
    EXPECT_TRUE(testing::fileExists(folder.file("tsy0001.tmp")));
    EXPECT_TRUE(testing::fileExists(writing.temporaryPath()));
}

TEST(FileReplacement, ARelativePathIsReplacedInTheCurrentFolder)
{
    testing::TempFolder folder;
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.path().c_str()));
    testing::writeFile(folder.file("conf.dat"), "a=1\n");
    const bool written = writeFileReplacing("conf.dat", "a=2\n");
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(written);
    EXPECT_EQ(readFile(folder.file("conf.dat")), "a=2\n");
    EXPECT_EQ(listFolder(folder.path()), "conf.dat\n");
}

}  // namespace
}  // namespace tessaly
