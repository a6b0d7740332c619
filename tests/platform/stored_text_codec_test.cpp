#include "platform/stored_text_codec.h"

#include <gtest/gtest.h>

#include "platform/utf8_text.h"
#include "tests/support/latin1_codec.h"

namespace tessaly {
namespace {

TEST(TextOfFile, UTF8WhenMarkedOrValidAndNotAsciiOtherwiseTheLegacyCodePage)
{
    const StoredTextCodec codec = utf8ProgramCodec();
    EXPECT_EQ(textOfFile("key=plain\r\n", codec), "key=plain\r\n");
    EXPECT_EQ(textOfFile("\xEF\xBB\xBFkey=plain\r\n", codec), "key=plain\r\n") << "the mark is dropped";
    EXPECT_EQ(textOfFile("ok=\xD0\x94\xD0\xB0\r\n", codec), "ok=\xD0\x94\xD0\xB0\r\n") << "Cyrillic in UTF-8";
    EXPECT_EQ(textOfFile("ok=Aceptar \xF1\r\n", codec), "ok=Aceptar \xC3\xB1\r\n") << "an earlier file in Latin-1";
    EXPECT_EQ(textOfFile("a=\xC3\r\n", codec), "a=\xC3\x83\r\n") << "a lead byte without its follower is Latin-1";

    // Where the programs' text is still a code page, UTF-8 comes into it.
    const StoredTextCodec before = latin1ProgramCodec();
    EXPECT_EQ(textOfFile("\xEF\xBB\xBFo=\xC3\xB1", before), "o=\xF1");
    EXPECT_EQ(textOfFile("o=\xD0\x94", before), "o=?") << "what the code page lacks";
    EXPECT_EQ(textOfFile("o=\xF1", before), "o=\xF1");
}

TEST(Utf8Text, WellFormedSequencesOnly)
{
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("\xE5\xB1\xB1 \xF0\x9F\x94\x91"));
    for (const char* bad : {"\x80", "\xC0\xAF", "\xE0\x80\x80", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE5\xB1"}) {
        EXPECT_FALSE(isValidUtf8(bad)) << "stray, overlong, surrogate, past U+10FFFF or cut short";
    }
    EXPECT_TRUE(isAscii("key=value\r\n"));
    EXPECT_FALSE(isAscii("\xC3\xB1"));
}

}  // namespace
}  // namespace tessaly
