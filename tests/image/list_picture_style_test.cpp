#include "image/list_picture_style.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

KeyValueTable settingsOf(std::initializer_list<KeyValueEntry> entries)
{
    KeyValueTable table;
    for (const auto& entry : entries) table.append(entry.key, entry.value);
    return table;
}

TEST(ListPictureStyle, ReadsTheSettingsAsTheProgramWritesThem)
{
    const auto style = listPictureStyle(settingsOf({{"font", "Arial"},
                                                    {"fontsize", "16"},
                                                    {"fontbold", "true"},
                                                    {"font_select_color", "#102030"},
                                                    {"bk_select_color", "#FFE2D5"}}));
    EXPECT_EQ(style.face, "Arial");
    EXPECT_EQ(style.height, 16);
    EXPECT_EQ(style.weight, 700);
    EXPECT_EQ(style.text, 0x102030u);
    EXPECT_EQ(style.background, 0xFFE2D5u);
}

TEST(ListPictureStyle, OddValuesFallBackSafely)
{
    for (const char* bold : {"True", "TRUE", "yes", "", "true "}) {
        EXPECT_EQ(listPictureStyle(settingsOf({{"fontbold", bold}})).weight, 400) << bold;
    }
    const auto style = listPictureStyle(
        settingsOf({{"fontsize", "20px"}, {"font_select_color", "red"}, {"bk_select_color", "FFE2D5"}}));
    EXPECT_EQ(style.height, 16) << "20, held to the largest size offered";
    EXPECT_EQ(style.text, 0xD37618u) << "the default settings' text colour";
    EXPECT_EQ(style.background, 0xFFE2D5u);
    EXPECT_EQ(listPictureStyle(settingsOf({{"fontsize", "99999999999999"}})).height, 16);
    EXPECT_EQ(listPictureStyle(settingsOf({{"fontsize", "-5"}})).height, 8);
    EXPECT_EQ(listPictureStyle(settingsOf({{"fontsize", "12"}})).height, 12);
    EXPECT_EQ(listPictureStyle(settingsOf({})).height, 8);
}

}  // namespace
}  // namespace tessaly
