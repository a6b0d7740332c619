#include "settings/key_value_table.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

KeyValueTable parsed(const std::string& bytes, CommentLines comments = CommentLines::Ordinary)
{
    KeyValueTable table;
    parseKeyValueText(bytes, comments, table);
    return table;
}

std::string dump(const KeyValueTable& table)
{
    std::string out;
    for (const auto& e : table.entries()) out += "[" + e.key + "|" + e.value + "]";
    return out;
}

TEST(KeyValueGrammar, RecordsAndTheirEdges)
{
    struct Case {
        const char* name;
        std::string file;
        std::string entries;
    };
    const Case cases[] = {
        {"two equals signs", "a=b=c\n", "[a|b=c]"},
        {"blanks belong to key and value", "font = Arial\n", "[font | Arial]"},
        {"empty value", "k=\n", "[k|]"},
        {"empty key", "=v\n", "[|v]"},
        {"CR LF and LF alike", "a=1\r\nb=2\n", "[a|1][b|2]"},
        {"lone CR is kept", "a=1\r2\n", "[a|1\r2]"},
        {"line without = runs into next key", "junk\nfont=Arial\n", "[junk\nfont|Arial]"},
        {"blank line starts the next key", "\nfont=Arial\n", "[\nfont|Arial]"},
        {"last record without LF is lost", "a=1\nb=2", "[a|1]"},
        {"end inside a key drops it", "a=1\nbbb", "[a|1]"},
        {"Ctrl-Z ends the file",
         "a=1\nb=2\n\x1a"
         "c=3\n",
         "[a|1][b|2]"},
        {"Ctrl-Z inside a value drops the record", "a=1\nb=2\x1a\n", "[a|1]"},
        {"NUL cuts key and value", std::string("ke\0y=va\0lue\n", 12), "[ke|va]"},
        {"high bytes are ordinary", "\xe9=\xf1\xff\n", "[\xe9|\xf1\xff]"},
        {"slash is a key byte in settings", "/x=y\n", "[/x|y]"},
        {"duplicates are kept in order", "x=1\nx=2\n", "[x|1][x|2]"},
        {"empty file", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dump(parsed(c.file)), c.entries) << c.name;
    }
}

TEST(KeyValueGrammar, CommentLinesInLanguageFiles)
{
    EXPECT_EQ(dump(parsed("//Spanish\n/one slash=x\nadd=Agregar\n", CommentLines::Skipped)), "[add|Agregar]");
    EXPECT_EQ(dump(parsed("a=1\n// no line end", CommentLines::Skipped)), "[a|1]");
    // A slash inside a record is no comment.
    EXPECT_EQ(dump(parsed("a=/b\n", CommentLines::Skipped)), "[a|/b]");
}

TEST(KeyValueGrammar, OverlongFieldsAreCutAndReadingGoesOn)
{
    const std::string longKey(300, 'k'), longValue(1000, 'v');
    KeyValueTable table = parsed(longKey + "=" + longValue + "\nnext=1\n");
    ASSERT_EQ(table.entries().size(), 2u);
    EXPECT_EQ(table.entries()[0].key, std::string(254, 'k'));
    EXPECT_EQ(table.entries()[0].value, std::string(254, 'v'));
    EXPECT_EQ(table.get("next"), "1");

    // Characters are counted, and none is cut in two.
    std::string cyrillic;
    for (int i = 0; i < 300; ++i) cyrillic += "\xD0\x96";
    const KeyValueTable utf8 = parsed("k=" + cyrillic + "\n");
    EXPECT_EQ(utf8.get("k"), cyrillic.substr(0, 2 * 254));
    const KeyValueTable stray = parsed("k=" + std::string(2000, '\x80') + "\n");
    EXPECT_EQ(stray.get("k").size(), kMaxFieldBytes) << "bytes that begin no character are bounded too";
}

TEST(KeyValueTable, LookupIgnoresAsciiCaseAndTakesTheFirstMatch)
{
    KeyValueTable table = parsed("Font=Arial\nx=1\nx=2\nLANG_FILE=a.lang\n\xc9=accent\n");
    EXPECT_EQ(table.get("font"), "Arial");
    EXPECT_EQ(table.get("lang_file"), "a.lang");
    EXPECT_EQ(table.get("x"), "1");
    EXPECT_EQ(table.get("missing"), "");
    // Only A to Z fold: 0xC9 and 0xE9 are different keys.
    EXPECT_EQ(table.get("\xe9"), "");
    EXPECT_EQ(table.get("\xc9"), "accent");

    table.set("FONT", "Verdana");
    table.set("x", "3");
    table.set("new", "v");
    EXPECT_EQ(dump(table), "[Font|Verdana][x|3][x|2][LANG_FILE|a.lang][\xc9|accent][new|v]");
    EXPECT_EQ(table.serialize(), "Font=Verdana\r\nx=3\r\nx=2\r\nLANG_FILE=a.lang\r\n\xc9=accent\r\nnew=v\r\n");
}

TEST(KeyValueTable, LookupComparesAtMost259Bytes)
{
    KeyValueTable table;
    table.append(std::string(259, 'a') + "tail", "long");
    EXPECT_EQ(table.get(std::string(259, 'A') + "other"), "long");
    EXPECT_EQ(table.get(std::string(258, 'a')), "");
}

TEST(KeyValueTable, SavedFileReadsBackIntoTheSameEntries)
{
    testing::TempFolder folder;
    KeyValueTable table = parsed("b=2\na=x=y\nempty=\n=novalue\n");
    const std::string path = folder.file("conf.dat");
    ASSERT_TRUE(table.saveToFile(path));
    const std::string bytes = testing::readFile(path);
    EXPECT_EQ(bytes, "b=2\r\na=x=y\r\nempty=\r\n=novalue\r\n");
    EXPECT_EQ(dump(parsed(bytes)), dump(table));
}

TEST(KeyValueTable, FailedSaveLeavesTheOldFileAndNoLeftovers)
{
    testing::TempFolder folder;
    KeyValueTable table = parsed("a=1\n");
    // The target is a folder with something in it: it cannot be replaced.
    const std::string target = folder.file("conf.dat");
    std::filesystem::create_directory(target);
    testing::writeFile(target + "/keep", "old");
    EXPECT_FALSE(table.saveToFile(target));
    EXPECT_EQ(testing::readFile(target + "/keep"), "old");
    EXPECT_EQ(testing::listFolder(folder.path()), "conf.dat\n");

    EXPECT_FALSE(table.saveToFile(folder.file("no-such-folder/conf.dat")));
}

}  // namespace
}  // namespace tessaly
