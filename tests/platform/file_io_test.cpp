#include "platform/file_io.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

TEST(FileIo, ReplacingWritesEveryByteAndLeavesNoTemporaryFile)
{
    testing::TempFolder folder;
    const std::string path = folder.file("data.bin");
    std::string bytes;
    for (int i = 0; i < 200000; ++i) bytes.push_back(static_cast<char>(i * 31));
    ASSERT_TRUE(writeFileReplacing(path, bytes));
    ASSERT_TRUE(writeFileReplacing(path, "second"));
    std::string read;
    ASSERT_TRUE(readWholeFile(path, read));
    EXPECT_EQ(read, "second");
    EXPECT_EQ(testing::listFolder(folder.path()), "data.bin\n");

    ASSERT_TRUE(writeFileReplacing(path, ""));
    ASSERT_TRUE(readWholeFile(path, read));
    EXPECT_EQ(read, "");
}

TEST(FileIo, MissingAndUnreadablePaths)
{
    testing::TempFolder folder;
    std::string bytes = "unchanged";
    EXPECT_FALSE(readWholeFile(folder.file("missing"), bytes));
    EXPECT_EQ(bytes, "unchanged");
    EXPECT_FALSE(readWholeFile(folder.path(), bytes));
    EXPECT_FALSE(isReadableFile(""));
    EXPECT_FALSE(isReadableFile(folder.file("missing")));
    EXPECT_FALSE(isReadableFile(folder.path()));
    testing::writeFile(folder.file("present"), "x");
    EXPECT_TRUE(isReadableFile(folder.file("present")));
    EXPECT_FALSE(writeFileReplacing(folder.file("missing/x"), "x"));
}

}  // namespace
}  // namespace tessaly
