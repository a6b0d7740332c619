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
