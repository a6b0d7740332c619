#include "controls/password_strength.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaly {
namespace {

TEST(PasswordStrength, CountsTheClassesThatOccurTwice)
{
    const struct {
        std::string password;
        int level;
    } cases[] = {
        {"", 0},
        {"aB3$x", 0},     // five bytes, however mixed
        {"abcdef", 1},    // weak
        {"abcdefGh", 1},  // a single capital does not count
        {"abcdefG1", 1},
        {"abABxy", 2},
        {"abAB12", 3},                                    // very good
        {"abAB12!?", 4},                                  // excellent
        {"abcd\xc3\xa9\xc3\xb1", 2},                      // characters outside ASCII are others, one each
        {"\xd0\xbf\xd0\xb0\xd1\x80\xd0\xbe\xd0\xbb", 0},  // five Cyrillic letters are too short in ten bytes
        {"\xd0\xbf\xd0\xb0\xd1\x80\xd0\xbe\xd0\xbb\xd1\x8c", 1},
        {"      ", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(passwordStrength(c.password), c.level) << c.password;
    }
    EXPECT_STREQ(strengthKey(0), "too_short");
    EXPECT_STREQ(strengthKey(3), "very_good");
    EXPECT_STREQ(strengthKey(4), "excellent");
}

TEST(PasswordStrength, GradientCoversAQuarterAHalfTwoThirdsOrAll)
{
    const int widths[] = {0, 1, 7, 100, 157};
    for (int right : widths) {
        EXPECT_EQ(strengthGradientRight(0, right), 0) << right;
        EXPECT_EQ(strengthGradientRight(1, right), right - 3 * right / 4) << right;
        EXPECT_EQ(strengthGradientRight(4, right), right) << right;
    }
    EXPECT_EQ(strengthGradientRight(1, 157), 40);
    EXPECT_EQ(strengthGradientRight(2, 157), 79);
    EXPECT_EQ(strengthGradientRight(3, 157), 105);
}

TEST(PasswordStrength, AcceptedWhenLongEnoughAndRepeatedExactly)
{
    EXPECT_TRUE(passwordAccepted("secret", "secret"));
    EXPECT_FALSE(passwordAccepted("short", "short"));
    EXPECT_FALSE(passwordAccepted("secret", "Secret"));
    EXPECT_FALSE(passwordAccepted("secret", "secret "));
    EXPECT_FALSE(passwordAccepted("1234567", "1234567", kMinPassphraseLength));
    EXPECT_TRUE(passwordAccepted("12345678", "12345678", kMinPassphraseLength));
    // Characters count, not bytes: six Cyrillic letters are six.
    const std::string cyrillic = "\xd0\xbf\xd0\xb0\xd1\x80\xd0\xbe\xd0\xbb\xd1\x8c";
    EXPECT_TRUE(passwordAccepted(cyrillic, cyrillic));
    EXPECT_FALSE(passwordAccepted(cyrillic, cyrillic, kMinPassphraseLength));
}

}  // namespace
}  // namespace tessaly
