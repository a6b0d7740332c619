#include "settings/settings.h"
#include "tests/support/latin1_codec.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

std::string defaultText()
{
    return testing::readFile(TESSALY_SOURCE_DIR "/resources/default_settings.dat");
}

TEST(DefaultSettings, TextIsThe645ByteFileOf30Lines)
{
    const std::string text = defaultText();
    EXPECT_EQ(text.size(), 645u);
    KeyValueTable table;
    parseKeyValueText(text, CommentLines::Ordinary, table);
    ASSERT_EQ(table.entries().size(), 30u);
    // Every line ends in CR LF and saving the table gives the text back.
    EXPECT_EQ(table.serialize(), text);

    const std::pair<const char*, const char*> expected[] = {
        {"fontcolor", "#D37618"}, {"font_select_color", "#D37618"},
        {"bkcolor", "#FFE2D5"},   {"bk_select_color", "#FFE2D5"},
        {"fontindexcolor", "0"},  {"bkindexcolor", "0"},
        {"font", "Arial"},        {"fontsize", "16"},
        {"clean_text", "false"},  {"show_pass", "false"},
        {"fontbold", "true"},     {"create_exe", "false"},
        {"exe_path", ""},
    };
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(table.entries()[i].key, expected[i].first);
        EXPECT_EQ(table.entries()[i].value, expected[i].second);
    }
    for (size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(table.entries()[13 + i].key, "custom_color_" + std::to_string(i));
        EXPECT_EQ(table.entries()[13 + i].value, "#FFFFFF");
    }
    EXPECT_EQ(table.entries()[29].key, "lang_file");
    EXPECT_EQ(table.entries()[29].value, "lang\\default.lang");
}

TEST(LoadSettings, MissingFileIsCreatedFromTheDefaults)
{
    testing::TempFolder folder;
    const std::string path = folder.file("conf.dat");
    KeyValueTable table;
    loadSettings(table, path, defaultText(), latin1ProgramCodec());
    EXPECT_EQ(testing::readFile(path), defaultText());
    EXPECT_EQ(table.entries().size(), 30u);
    EXPECT_EQ(table.get("font"), "Arial");
}

TEST(LoadSettings, ExistingFileIsAppendedAndKeptAsItIs)
{
    testing::TempFolder folder;
    const std::string path = folder.file("conf.dat");
    testing::writeFile(path, "my_key=1\r\nfont=Verdana\r\n");
    KeyValueTable table;
    table.append("earlier", "x");
    loadSettings(table, path, defaultText(), latin1ProgramCodec());
    EXPECT_EQ(table.entries().size(), 3u);
    EXPECT_EQ(table.get("earlier"), "x");
    EXPECT_EQ(table.get("font"), "Verdana");
    EXPECT_EQ(testing::readFile(path), "my_key=1\r\nfont=Verdana\r\n");
}

TEST(LoadSettings, UnwritableFolderLeavesTheTableAsItWas)
{
    testing::TempFolder folder;
    KeyValueTable table;
    table.append("kept", "1");
    loadSettings(table, folder.file("missing-folder/conf.dat"), defaultText(), latin1ProgramCodec());
    EXPECT_EQ(table.entries().size(), 1u);
    EXPECT_EQ(table.get("lang_file"), "");
}

TEST(SettingValues, FlagsAndColours)
{
    EXPECT_TRUE(isFlagOn("true"));
    for (const char* off : {"True", "TRUE", "false", "", "true ", "1"}) EXPECT_FALSE(isFlagOn(off)) << off;

    EXPECT_EQ(parseColorSetting("#FFE2D5"), 0xFFE2D5u);
    EXPECT_EQ(parseColorSetting("#0000ff"), 0x0000FFu);
    EXPECT_EQ(parseColorSetting("#1FFE2D5"), 0xFFE2D5u);  // lowest 24 bits
    EXPECT_EQ(parseColorSetting("#12"), 0x12u);
    EXPECT_EQ(parseColorSetting("#0x00FF00"), 0x00FF00u);  // what "%X" also takes
    EXPECT_EQ(parseColorSetting("#FFE2D5junk"), 0xFFE2D5u);
    for (const char* bad : {"", "FFE2D5", "#", "#zz", "red"}) EXPECT_FALSE(parseColorSetting(bad)) << bad;

    EXPECT_EQ(formatColorSetting(0xD37618), "#D37618");
    EXPECT_EQ(formatColorSetting(0x0000FF), "#0000FF");
    EXPECT_EQ(rgbToColorRef(0xFFE2D5), 0xD5E2FFu);
    EXPECT_EQ(colorRefToRgb(0x00FF0000u), 0x0000FFu);
}

TEST(SettingValues, CapturesAllowedOnlyByExactlyTrue)
{
    KeyValueTable settings;
    EXPECT_FALSE(captureAllowed(settings)) << "a missing key keeps captures out";
    settings.append("allow_capture", "True");
    EXPECT_FALSE(captureAllowed(settings)) << "only exactly \"true\" counts";
    settings.set("allow_capture", "true");
    EXPECT_TRUE(captureAllowed(settings));
}

TEST(CustomColors, LoadedFromAndSavedToTheTable)
{
    KeyValueTable table;
    parseKeyValueText(defaultText(), CommentLines::Ordinary, table);
    table.set("custom_color_3", "#0000ff");
    table.set("custom_color_5", "not a colour");
    CustomColors colors{};
    loadCustomColors(table, colors);
    EXPECT_EQ(colors[3], 0x00FF0000u);  // pure blue as a platform colour value
    EXPECT_EQ(colors[0], 0x00FFFFFFu);
    EXPECT_EQ(colors[5], 0x00FFFFFFu);

    colors[15] = 0x00123456u;
    saveCustomColors(colors, table);
    EXPECT_EQ(table.get("custom_color_3"), "#0000FF");
    EXPECT_EQ(table.get("custom_color_15"), "#563412");
    EXPECT_EQ(table.entries().size(), 30u);  // replaced in place, nothing appended
}

}  // namespace
}  // namespace tessaly
