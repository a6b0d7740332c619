#include "formats/list_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/latin1_codec.h"
#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

std::string le32(uint32_t n)
{
    return std::string{static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF),
                       static_cast<char>((n >> 16) & 0xFF), static_cast<char>(n >> 24)};
}

TEST(ListFile, BytesAreExactlyTheRecords)
{
    EXPECT_EQ(encodeListFile({}), "");
    EXPECT_EQ(encodeListFile({{"abc", "", "x"}}), std::string("\x03\x00\x00\x00"
                                                              "abc"
                                                              "\x00\x00\x00\x00"
                                                              "\x01\x00\x00\x00"
                                                              "x",
                                                              16));
    // An entry with empty pass and description is 12 + U bytes.
    EXPECT_EQ(encodeListFile({{"user", "", ""}}).size(), 16u);
    const std::string two = encodeListFile({{"a", "b", "c"}, {"", "", ""}});
    EXPECT_EQ(two, le32(1) + "a" + le32(1) + "b" + le32(1) + "c" + le32(0) + le32(0) + le32(0));
}

TEST(ListFile, EveryByteValueSurvivesARoundTrip)
{
    std::string all;
    for (int b = 1; b < 256; ++b) all.push_back(static_cast<char>(b));
    const std::vector<PasswordEntry> entries = {{all, std::string(all.rbegin(), all.rend()), ""},
                                                {"", "", ""},
                                                {std::string(300, 'u'), "p", "d"}};
    const DecodedList decoded = decodeListFile(encodeListFile(entries));
    EXPECT_FALSE(decoded.damaged);
    EXPECT_EQ(decoded.entries, entries);
}

TEST(ListFile, ZeroByteCutsOnlyItsField)
{
    const std::string bytes = le32(5) + std::string("ab\0cd", 5) + le32(1) + "p" + le32(0) + le32(1) + "n" + le32(0) +
                              le32(2) + std::string("\0z", 2);
    const DecodedList decoded = decodeListFile(bytes);
    EXPECT_FALSE(decoded.damaged);
    ASSERT_EQ(decoded.entries.size(), 2u);
    EXPECT_EQ(decoded.entries[0], (PasswordEntry{"ab", "p", ""}));
    EXPECT_EQ(decoded.entries[1], (PasswordEntry{"n", "", ""}));
}

TEST(ListFile, DamagedFilesKeepTheWholeRecordsBeforeTheDamage)
{
    const std::string good = encodeListFile({{"one", "1", "first"}, {"two", "2", "second"}});
    struct Case {
        const char* name;
        std::string bytes;
        size_t entries;
    };
    const Case cases[] = {
        {"length past the end", good + le32(0xFFFFFFF0u) + "abc", 2},
        {"huge length in the first field", le32(0x7FFFFFFFu), 0},
        {"ends inside a length", good + "\x01\x00", 2},
        {"ends after the user field", good + le32(1) + "u", 2},
        {"ends inside the description", good + le32(0) + le32(0) + le32(5) + "ab", 2},
        {"one stray byte", std::string(1, '\x07'), 0},
    };
    for (const auto& c : cases) {
        const DecodedList decoded = decodeListFile(c.bytes);
        EXPECT_TRUE(decoded.damaged) << c.name;
        EXPECT_EQ(decoded.entries.size(), c.entries) << c.name;
    }
}

TEST(ListFile, SaveAndLoadThroughFiles)
{
    testing::TempFolder folder;
    const std::string path = folder.file("list.slc");
    std::vector<PasswordEntry> entries = {{"abc", "", "x"}};
    ASSERT_TRUE(saveListFile(path, entries, latin1ProgramCodec()));
    EXPECT_EQ(testing::readFile(path).size(), 16u);

    std::vector<PasswordEntry> loaded = {{"old", "old", "old"}};
    EXPECT_EQ(loadListFile(path, loaded, latin1ProgramCodec()), ListFileStatus::Loaded);
    EXPECT_EQ(loaded, entries);

    testing::writeFile(folder.file("empty.slc"), "");
    EXPECT_EQ(loadListFile(folder.file("empty.slc"), loaded, latin1ProgramCodec()), ListFileStatus::Loaded);
    EXPECT_TRUE(loaded.empty());

    loaded = entries;
    EXPECT_EQ(loadListFile(folder.file("missing.slc"), loaded, latin1ProgramCodec()), ListFileStatus::CannotOpen);
    EXPECT_EQ(loaded, entries);

    testing::writeFile(folder.file("damaged.slc"), encodeListFile(entries) + le32(9));
    EXPECT_EQ(loadListFile(folder.file("damaged.slc"), loaded, latin1ProgramCodec()), ListFileStatus::Damaged);
    EXPECT_EQ(loaded, entries);

    // A protected list file's bytes are never taken for records.
    const std::string sealed = "TESSLIST" + std::string(60, '\x05');
    testing::writeFile(folder.file("sealed.slp"), sealed);
    ProtectedListFile handedBack;
    EXPECT_EQ(loadListFile(folder.file("sealed.slp"), loaded, latin1ProgramCodec(), &handedBack),
              ListFileStatus::Protected);
    EXPECT_EQ(loaded, entries);
    EXPECT_EQ(handedBack.bytes, sealed);
    EXPECT_EQ(handedBack.status, HeaderStatus::Damaged) << "a version 0x0505 is no version this program reads";

    // A save that cannot replace the target leaves it whole.
    EXPECT_FALSE(saveListFile(folder.file("no-folder/list.slc"), entries, latin1ProgramCodec()));
}

TEST(ListFile, ASaveOverAFileKeepsWhatItHeldAsThePreviousVersion)
{
    testing::TempFolder folder;
    const std::string path = folder.file("list.slc");
    const std::string previous = folder.file("list.old.slc");
    const std::vector<PasswordEntry> first = {{"first", "1", ""}}, second = {{"second", "2", ""}};
    ASSERT_TRUE(saveListFile(path, first, latin1ProgramCodec(), previous));
    EXPECT_FALSE(std::filesystem::exists(previous)) << "a new file has no previous version";
    ASSERT_TRUE(saveListFile(path, second, latin1ProgramCodec(), previous));
    EXPECT_EQ(testing::readFile(previous), encodeListFile(first));
    ASSERT_TRUE(saveListFile(path, {{"third", "3", ""}}, latin1ProgramCodec(), previous));
    EXPECT_EQ(testing::readFile(previous), encodeListFile(second)) << "only the last version is kept";
    EXPECT_EQ(testing::readFile(path), encodeListFile({{"third", "3", ""}}));
}

TEST(ListFile, TextIsKeptInTheLegacyCodePageAndWhatItLacksIsFoundBeforeASave)
{
    testing::TempFolder folder;
    const std::string path = folder.file("list.slc");
    const StoredTextCodec codec = utf8ProgramCodec();
    // An earlier version's file from a Western PC: Latin-1 bytes.
    testing::writeFile(path, encodeListFile({{"Jos\xE9", "\xF1\xF1", "caf\xE9"}}));
    std::vector<PasswordEntry> loaded;
    ASSERT_EQ(loadListFile(path, loaded, codec), ListFileStatus::Loaded);
    EXPECT_EQ(loaded, (std::vector<PasswordEntry>{{"Jos\xC3\xA9", "\xC3\xB1\xC3\xB1", "caf\xC3\xA9"}}));
    EXPECT_EQ(entriesOutsideListFile(loaded, codec).count, 0u);
    ASSERT_TRUE(saveListFile(path, loaded, codec));
    EXPECT_EQ(testing::readFile(path), encodeListFile({{"Jos\xE9", "\xF1\xF1", "caf\xE9"}})) << "every byte as before";

    const std::vector<PasswordEntry> scripts = {{"ann", "pw", "plain"},
                                                {"\xE5\xB1\xB1\xE7\x94\xB0", "pw", "Tokyo"},
                                                {"bob", "\xD0\x96pw", ""},
                                                {"eve", "pw", "\xCE\xB1\xCE\xB2"}};
    const ChangedEntries outside = entriesOutsideListFile(scripts, codec);
    EXPECT_EQ(outside.count, 3u);
    ASSERT_EQ(outside.first.size(), 3u);
    EXPECT_EQ(outside.first[0].title, "Tokyo");
    EXPECT_TRUE(outside.first[0].user);
    EXPECT_EQ(outside.first[1].title, "bob") << "no description: the user name";
    EXPECT_TRUE(outside.first[1].pass);
    EXPECT_FALSE(outside.first[2].user || outside.first[2].pass) << "only the description lacks a place";
}

TEST(AddWarning, OneLinePerMissingField)
{
    EXPECT_EQ(addWarning(true, true, "You must insert a user", "You must insert a password"),
              "You must insert a user.\nYou must insert a password.");
    EXPECT_EQ(addWarning(true, false, "U", "P"), "U.\n");
    EXPECT_EQ(addWarning(false, true, "U", "P"), "P.");
    EXPECT_EQ(addWarning(false, false, "U", "P"), "");
}

}  // namespace
}  // namespace tessaly
