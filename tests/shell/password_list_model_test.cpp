#include "shell/password_list_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaly {
namespace {

std::vector<std::string> users(const PasswordList& list)
{
    std::vector<std::string> names;
    for (const auto& entry : list.entries()) names.push_back(entry.user);
    return names;
}

TEST(PasswordList, EveryChangeAndOnlyAChangeMarksTheListModified)
{
    PasswordList list;
    EXPECT_FALSE(list.modified());
    list.add({"alice", "pw1", "mail"});
    EXPECT_TRUE(list.modified()) << "add";

    const std::vector<PasswordEntry> loaded = {{"bob", "pw2", "bank"}, {"carol", "pw3", ""}};
    list.clear();
    EXPECT_FALSE(list.modified()) << "a cleared list is what New and a load start from";
    list.add(loaded.data(), loaded.size());
    list.markUnmodified();
    EXPECT_FALSE(list.modified());

    ASSERT_TRUE(list.replace(1, {"carol", "pw3", ""}));
    EXPECT_FALSE(list.modified()) << "an edit that changes nothing";
    EXPECT_FALSE(list.replace(2, {"dave", "x", ""}));
    EXPECT_FALSE(list.modified()) << "no such row";
    ASSERT_TRUE(list.replace(1, {"carol", "pw4", ""}));
    EXPECT_TRUE(list.modified()) << "an edit applied";

    list.markUnmodified();
    list.sortBy(0, false, 255);
    EXPECT_FALSE(list.modified()) << "sorting changes no entry";
    EXPECT_EQ(list.remove({7, 9}), 0u);
    EXPECT_FALSE(list.modified()) << "nothing removed";
    EXPECT_EQ(list.remove({1}), 1u);
    EXPECT_TRUE(list.modified()) << "delete";

    list.markUnmodified();
    list.add(nullptr, 0);
    EXPECT_FALSE(list.modified()) << "no entries imported";
}

TEST(PasswordList, RemoveTakesRowsInAnyOrderOnceEach)
{
    PasswordList list;
    for (const char* name : {"a", "b", "c", "d", "e"}) list.add({name, "p", ""});
    EXPECT_EQ(list.remove({3, 0, 3, 42}), 2u);
    EXPECT_EQ(users(list), (std::vector<std::string>{"b", "c", "e"}));
    EXPECT_EQ(list.cell(0, 1), "p");
    EXPECT_EQ(list.cell(3, 0), "") << "past the end";
}

TEST(PasswordList, SortIsStableByTheDrawnPartAndTellsWhereEachRowWent)
{
    PasswordList list;
    list.add({"b", "1", "same prefix one"});
    list.add({"a", "2", "same prefix two"});
    list.add({"c", "3", "other"});
    list.add({"a", "4", "same prefix three"});

    EXPECT_EQ(list.sortBy(0, true, 255), (std::vector<size_t>{2, 0, 3, 1}));
    EXPECT_EQ(users(list), (std::vector<std::string>{"a", "a", "b", "c"}));
    EXPECT_EQ(list.cell(0, 1), "2") << "equal cells keep their order";
    EXPECT_EQ(list.cell(1, 1), "4");

    // Only the first 4 bytes count: the three "same..." tie and keep order.
    const std::vector<size_t> moved = list.sortBy(2, false, 4);
    std::vector<std::string> passwords;
    for (size_t row = 0; row < list.size(); ++row) passwords.emplace_back(list.cell(row, 1));
    EXPECT_EQ(passwords, (std::vector<std::string>{"2", "4", "1", "3"}));
    EXPECT_EQ(moved, (std::vector<size_t>{0, 1, 2, 3}));
}

TEST(PasswordList, FindLooksAtUserNamesAndDescriptionsNeverPasswordsAndGoesRound)
{
    PasswordList list;
    list.add({"Alice", "secret", "Mail"});
    list.add({"bob", "mail-password", "Bank"});
    list.add({"carol", "x", "webMAIL"});
    EXPECT_EQ(list.findNext("mail", std::nullopt), 0u);
    EXPECT_EQ(list.findNext("mail", 0), 2u) << "the password of row 1 is not searched";
    EXPECT_EQ(list.findNext("mail", 2), 0u) << "round from the top";
    EXPECT_EQ(list.findNext("ALICE", 0), 0u) << "the selected row itself last";
    EXPECT_EQ(list.findNext("secret", std::nullopt), std::nullopt);
}

TEST(ListOrder, UnsignedBytesAndPrefixesFirst)
{
    EXPECT_EQ(compareCells("abc", "ABD"), 1);
    EXPECT_EQ(compareCells("abc", "ab"), 1);
    EXPECT_EQ(compareCells("ab", "abc"), -1);
    EXPECT_EQ(compareCells("", "a"), -1);
    EXPECT_EQ(compareCells("same", "same"), 0);
    EXPECT_EQ(compareCells("\xe9", "z"), 1);  // 0xE9 is above 'z' as an unsigned byte
    EXPECT_EQ(compareCells("Z", "a"), -1);
}

}  // namespace
}  // namespace tessaly
