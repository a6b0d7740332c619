#include "settings/options_rules.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(OptionsRules, ColourEntriesOutsideTheListSelectTheUsersOwnColour)
{
    EXPECT_EQ(colorEntrySetting("0"), 0);
    EXPECT_EQ(colorEntrySetting("7"), 7);
    EXPECT_EQ(colorEntrySetting("16"), 16);
    for (const char* stored : {"17", "-1", "", "x", "99999999999999999999"})
        EXPECT_EQ(colorEntrySetting(stored), 0) << stored;
    EXPECT_EQ(kPresetColors[6], 0x00FF00u) << "entry 7";
    EXPECT_EQ(kPresetColors[15], 0xFF8034u);
}

TEST(OptionsRules, TranslatorLineOnlyWhenTheFileNamesATranslator)
{
    EXPECT_EQ(translatorLine("Translated by", "Ana"), "Translated by: Ana");
    EXPECT_EQ(translatorLine("Translated by", ""), "");
}

TEST(LockRules, MissingOrUnofferedTimesGiveFiveMinutesAndZeroIsNever)
{
    EXPECT_EQ(lockMinutesSetting(""), 5);
    EXPECT_EQ(lockMinutesSetting("0"), 0);
    EXPECT_EQ(lockMinutesSetting("60"), 60);
    EXPECT_EQ(lockMinutesSetting("7"), 5) << "not a time Options offers";
    EXPECT_EQ(lockMinutesSetting("15 "), 5);
    EXPECT_FALSE(autoLockDue(UINT64_MAX, 0)) << "never";
    EXPECT_FALSE(autoLockDue(59999, 1));
    EXPECT_TRUE(autoLockDue(60000, 1));
    EXPECT_TRUE(autoLockDue(12ull * 3600 * 1000, 60)) << "a night asleep counts";
}

}  // namespace
}  // namespace tessaly
