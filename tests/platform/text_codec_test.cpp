// Runs without the programs' manifest, so the process's code page is the
// system's legacy one, as on Windows before 1903.
#include "platform/text_codec.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaly {
namespace {

TEST(TextCodec, TheLegacyCodePageTakesWhatItHasAndSaysWhatItLacks)
{
    if (legacyCodePage() != 1252) GTEST_SKIP() << "written for a Western system locale";
    bool replaced = false;
    EXPECT_EQ(convertText(TextEncoding::Utf8, TextEncoding::Legacy, "Se\xC3\xB1or \xE2\x82\xAC", &replaced),
              "Se\xF1or \x80");
    EXPECT_FALSE(replaced);
    EXPECT_EQ(convertText(TextEncoding::Utf8, TextEncoding::Legacy, "\xD0\x96-\xE5\xB1\xB1", &replaced), "?-?");
    EXPECT_TRUE(replaced);

    // Every byte an earlier version wrote comes back as it was, the five the
    // code page leaves undefined too.
    std::string all;
    for (int byte = 0x20; byte < 0x100; ++byte) all += static_cast<char>(byte);
    const std::string utf8 = convertText(TextEncoding::Legacy, TextEncoding::Utf8, all);
    EXPECT_NE(utf8, all);
    replaced = false;
    EXPECT_EQ(convertText(TextEncoding::Utf8, TextEncoding::Legacy, utf8, &replaced), all);
    EXPECT_FALSE(replaced);

    // Here the programs' text is the legacy code page: nothing to convert.
    const StoredTextCodec codec = systemTextCodec();
    EXPECT_EQ(codec.fromLegacy("\x81\xF1"), "\x81\xF1");
    EXPECT_EQ(codec.toLegacy("\x81\xF1", replaced), "\x81\xF1");
}

TEST(TextCodec, APasswordForTheCodePageFormsIsItsLegacyBytesOrRefused)
{
    if (legacyCodePage() != 1252) GTEST_SKIP() << "written for a Western system locale";
    std::string legacy = "earlier";
    EXPECT_TRUE(codePagePassword("se\xC3\xB1or", legacy));
    EXPECT_EQ(legacy, "se\xF1or");
    EXPECT_FALSE(codePagePassword("\xD0\xBF\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C", legacy));
    EXPECT_TRUE(legacy.empty()) << "not keyed with the code page's question marks";
}

}  // namespace
}  // namespace tessaly
