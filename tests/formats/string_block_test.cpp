#include "formats/string_block.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

std::u16string ascii(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

size_t countAt(const std::string& block, size_t offset)
{
    return static_cast<uint8_t>(block[offset]) | static_cast<uint8_t>(block[offset + 1]) << 8;
}

TEST(StringBlock, SpanishPromptTextsMake148BytesAndEmptyOnes36)
{
    const std::vector<std::u16string> spanish{u"Ingrese la contrase\u00f1a", u"Aceptar", u"Cancelar",
                                              u"Por favor, espere...", spotlightString(20, true)};
    const std::string block = stringBlock(spanish);
    ASSERT_EQ(block.size(), 148u);
    EXPECT_EQ(countAt(block, 0), 21u);
    EXPECT_EQ(block.substr(2 + 2 * 19, 2), std::string("\xf1\x00", 2)) << "UTF-16LE, no terminator";
    EXPECT_EQ(countAt(block, 2 + 42), 7u);
    // The radius is the fifth text, then eleven zero counts.
    EXPECT_EQ(countAt(block, 148 - 22 - 6), 2u);
    EXPECT_EQ(block.substr(148 - 22 - 4, 4), std::string("2\0"
                                                         "0\0",
                                                         4));
    EXPECT_EQ(block.substr(148 - 22), std::string(22, '\0'));

    const std::string empties = stringBlock({u"", u"", u"", u"", spotlightString(20, true)});
    ASSERT_EQ(empties.size(), 36u);
    EXPECT_EQ(empties.substr(0, 10), std::string("\0\0\0\0\0\0\0\0\2\0", 10));
}

TEST(StringBlock, ABlockIsReadWithinItsBytesAndADamagedOneGivesNothing)
{
    const std::vector<std::u16string> texts{u"Contrase\u00f1a:", u"OK", u"", u"Espere", u"-20"};
    const std::string block = stringBlock(texts);
    const auto read = readStringBlock(block);
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 16u);
    for (size_t id = 0; id < 16; ++id) EXPECT_EQ((*read)[id], id < texts.size() ? texts[id] : u"") << id;
    EXPECT_TRUE(readStringBlock(block + "padding")) << "bytes after the sixteenth text are no damage";

    // A first count of 0xFFFF in a 12-byte block, the first 9 bytes of a
    // real block, and a block that ends before its sixteenth count.
    EXPECT_FALSE(readStringBlock(std::string("\xFF\xFF", 2) + std::string(10, 'a')));
    EXPECT_FALSE(readStringBlock(block.substr(0, 9)));
    EXPECT_FALSE(readStringBlock(block.substr(0, block.size() - 1)));
    EXPECT_FALSE(readStringBlock(""));
}

TEST(StringBlock, TextsAreCutAt259UnitsAndTheRadiusCarriesTheSpotlightState)
{
    const std::string block = stringBlock({ascii(std::string(300, 'x')), ascii(std::string(259, 'y'))});
    EXPECT_EQ(countAt(block, 0), 259u);
    EXPECT_EQ(countAt(block, 2 + 2 * 259), 259u);
    EXPECT_EQ(block.size(), 2 * 259 * 2 + 32u);

    EXPECT_EQ(spotlightString(20, true), u"20");
    EXPECT_EQ(spotlightString(20, false), u"-20");
    EXPECT_EQ(spotlightString(60, false), u"-60");
    EXPECT_EQ(spotlightString(0, false), u"0");
    EXPECT_EQ(stringBlock({}).size(), 32u);
}

}  // namespace
}  // namespace tessaly
