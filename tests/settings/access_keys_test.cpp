#include "settings/access_keys.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(AccessKeys, ACaptionsKeyIsItsMarkedLetterInLowerCase)
{
    EXPECT_EQ(accessKeyOf("&Add"), U'a');
    EXPECT_EQ(accessKeyOf("Save List &As..."), U'a');
    EXPECT_EQ(accessKeyOf("Mostra&r"), U'r');
    EXPECT_EQ(accessKeyOf("Bold && &Italic"), U'i');
    EXPECT_EQ(accessKeyOf("Salt && pepper"), 0u);
    EXPECT_EQ(accessKeyOf("User:"), 0u);
    EXPECT_EQ(accessKeyOf("trailing&"), 0u);
    EXPECT_EQ(accessKeyOf("&:"), 0u);
}

TEST(AccessKeys, ALabelTakesItsFirstFreeLetterAndNothingItHasAlready)
{
    EXPECT_EQ(withFreeAccessKey("User:", U""), "&User:");
    EXPECT_EQ(withFreeAccessKey("User:", U"u"), "U&ser:");
    EXPECT_EQ(withFreeAccessKey("Description:", U"dec"), "De&scription:");
    EXPECT_EQ(withFreeAccessKey("\xf1o:", U""), "&\xf1o:") << "a Western code page's letter";
    EXPECT_EQ(withFreeAccessKey("2. Name:", U""), "&2. Name:");
    EXPECT_EQ(withFreeAccessKey("User:", U"user"), "User:") << "no free letter";
    EXPECT_EQ(withFreeAccessKey("Loc&k after:", U""), "Loc&k after:");
    EXPECT_EQ(withFreeAccessKey("R&&D:", U""), "R&&D:") << "an ampersand is left alone";
    EXPECT_EQ(withFreeAccessKey("", U""), "");
}

TEST(AccessKeys, CyrillicAndGreekLabelsTakeTheirOwnLetters)
{
    // "&Пароль" claims the small letter п; "Ж&урнал" claims у.
    EXPECT_EQ(accessKeyOf("&\xD0\x9F\xD0\xB0\xD1\x80"), U'\x43F');
    EXPECT_EQ(accessKeyOf("\xD0\x96&\xD1\x83"), U'\x443');
    // "Имя:" with и taken takes м; "Όνομα:" takes ό.
    EXPECT_EQ(withFreeAccessKey("\xD0\x98\xD0\xBC\xD1\x8F:", U"\x438"), "\xD0\x98&\xD0\xBC\xD1\x8F:");
    EXPECT_EQ(withFreeAccessKey("\xCE\x8C\xCE\xBD:", U""), "&\xCE\x8C\xCE\xBD:");
    EXPECT_EQ(accessKeyOf("&\xCE\x8C\xCE\xBD"), U'\x3CC');
    // Japanese has no letters to underline: the label stays as it is.
    EXPECT_EQ(withFreeAccessKey("\xE5\x90\x8D\xE5\x89\x8D:", U""), "\xE5\x90\x8D\xE5\x89\x8D:");
}

}  // namespace
}  // namespace tessaly
