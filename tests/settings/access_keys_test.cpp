#include "settings/access_keys.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(AccessKeys, ACaptionsKeyIsItsMarkedLetterInLowerCase)
{
    EXPECT_EQ(accessKeyOf("&Add"), 'a');
    EXPECT_EQ(accessKeyOf("Save List &As..."), 'a');
    EXPECT_EQ(accessKeyOf("Mostra&r"), 'r');
    EXPECT_EQ(accessKeyOf("Bold && &Italic"), 'i');
    EXPECT_EQ(accessKeyOf("Salt && pepper"), 0);
    EXPECT_EQ(accessKeyOf("User:"), 0);
    EXPECT_EQ(accessKeyOf("trailing&"), 0);
    EXPECT_EQ(accessKeyOf("&:"), 0);
}

TEST(AccessKeys, ALabelTakesItsFirstFreeLetterAndNothingItHasAlready)
{
    EXPECT_EQ(withFreeAccessKey("User:", ""), "&User:");
    EXPECT_EQ(withFreeAccessKey("User:", "u"), "U&ser:");
    EXPECT_EQ(withFreeAccessKey("Description:", "dec"), "De&scription:");
    EXPECT_EQ(withFreeAccessKey("\xf1o:", ""), "\xf1&o:") << "a letter outside ASCII is skipped";
    EXPECT_EQ(withFreeAccessKey("2. Name:", ""), "&2. Name:");
    EXPECT_EQ(withFreeAccessKey("User:", "user"), "User:") << "no free letter";
    EXPECT_EQ(withFreeAccessKey("Loc&k after:", ""), "Loc&k after:");
    EXPECT_EQ(withFreeAccessKey("R&&D:", ""), "R&&D:") << "an ampersand is left alone";
    EXPECT_EQ(withFreeAccessKey("", ""), "");
}

}  // namespace
}  // namespace tessaly
