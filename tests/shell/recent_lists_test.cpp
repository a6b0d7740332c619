#include "shell/recent_lists.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

using Paths = std::vector<std::string>;

TEST(RecentLists, NewestFirstOnceEachFiveAtMost)
{
    Paths recent;
    for (const char* path : {"C:\\a.slp", "C:\\b.slp", "C:\\c.slp", "C:\\d.slp", "C:\\e.slp"}) {
        recent = withRecentList(recent, path);
    }
    EXPECT_EQ(recent, (Paths{"C:\\e.slp", "C:\\d.slp", "C:\\c.slp", "C:\\b.slp", "C:\\a.slp"}));
    recent = withRecentList(recent, "c:\\B.SLP");
    EXPECT_EQ(recent, (Paths{"c:\\B.SLP", "C:\\e.slp", "C:\\d.slp", "C:\\c.slp", "C:\\a.slp"}))
        << "the same file in another case moves up instead of standing twice";
    recent = withRecentList(recent, "C:\\f.slc");
    EXPECT_EQ(recent.size(), 5u);
    EXPECT_EQ(recent.back(), "C:\\c.slp") << "the oldest went";
}

TEST(RecentLists, KeptAsOneSettingAndReadBackTheSame)
{
    const Paths paths{"C:\\lists\\a b.slp", "lists\\b.slc"};
    EXPECT_EQ(joinRecentLists(paths), "C:\\lists\\a b.slp|lists\\b.slc");
    EXPECT_EQ(splitRecentLists(joinRecentLists(paths)), paths);
    EXPECT_EQ(splitRecentLists(""), Paths{});
    EXPECT_EQ(splitRecentLists("|x||y|"), (Paths{"x", "y"})) << "empty places are skipped";
    EXPECT_EQ(splitRecentLists("1|2|3|4|5|6|7").size(), 5u);
}

TEST(RecentLists, AListInsideTheProgramFolderIsKeptRelativeToIt)
{
    const std::string folder = "C:\\Tools\\Tessaly\\";
    EXPECT_EQ(storedListPath("C:\\Tools\\Tessaly\\lists\\a.slp", folder), "lists\\a.slp");
    EXPECT_EQ(storedListPath("c:\\tools\\tessaly\\a.slp", folder), "a.slp");
    EXPECT_EQ(storedListPath("C:\\Tools\\Tessaly2\\a.slp", folder), "C:\\Tools\\Tessaly2\\a.slp");
    EXPECT_EQ(storedListPath("D:\\a.slp", folder), "D:\\a.slp");
    EXPECT_EQ(resolvedListPath("lists\\a.slp", "E:\\Moved\\"), "E:\\Moved\\lists\\a.slp");
    EXPECT_EQ(resolvedListPath("D:\\a.slp", "E:\\Moved\\"), "D:\\a.slp");
    EXPECT_EQ(resolvedListPath("\\\\server\\share\\a.slp", "E:\\Moved\\"), "\\\\server\\share\\a.slp");
    EXPECT_EQ(resolvedListPath("", "E:\\Moved\\"), "");
}

}  // namespace
}  // namespace tessaly
