#include "shell/find_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaly {
namespace {

TEST(FindRules, LettersMatchWithoutRegardToCase)
{
    EXPECT_TRUE(containsIgnoringCase("My Bank Account", "bank a"));
    EXPECT_TRUE(containsIgnoringCase("correo@EJEMPLO.es", "ejemplo"));
    EXPECT_TRUE(containsIgnoringCase("Se\xD1OR", "se\xF1or")) << "N with tilde, capital and small";
    EXPECT_FALSE(containsIgnoringCase("3\xD7"
                                      "4",
                                      "3\xF7"))
        << "the multiplication sign is no letter";
    EXPECT_FALSE(containsIgnoringCase("bank", "banks"));
    EXPECT_TRUE(containsIgnoringCase("anything", ""));
}

TEST(FindRules, GreekCyrillicAndLatinLettersInUtf8MatchTheirOtherCase)
{
    // "ΤΡΆΠΕΖΑ" and "τράπεζα"; "ΛΟΓΑΡΙΑΣΜΟΣ" and its final sigma.
    EXPECT_TRUE(containsIgnoringCase("\xCE\xA4\xCE\xA1\xCE\x86\xCE\xA0\xCE\x95\xCE\x96\xCE\x91 online",
                                     "\xCF\x84\xCF\x81\xCE\xAC\xCF\x80\xCE\xB5\xCE\xB6\xCE\xB1"));
    EXPECT_TRUE(containsIgnoringCase("\xCE\xA3\xCE\x9C\xCE\x9F\xCE\xA3", "\xCF\x83\xCE\xBC\xCE\xBF\xCF\x82"));
    // "Почта" and "ПОЧТА"; "Ёлка" and "ёлка".
    EXPECT_TRUE(
        containsIgnoringCase("\xD0\x9F\xD0\xBE\xD1\x87\xD1\x82\xD0\xB0", "\xD0\x9F\xD0\x9E\xD0\xA7\xD0\xA2\xD0\x90"));
    EXPECT_TRUE(containsIgnoringCase("\xD0\x81\xD0\xBB", "\xD1\x91\xD0\xBB"));
    EXPECT_FALSE(containsIgnoringCase("\xD0\x94", "\xD0\xB4\xD0\xB4")) << "one letter is not two";
    // "Łódź" and "ŁÓDŹ"; CJK, which has no case, exactly.
    EXPECT_TRUE(containsIgnoringCase("\xC5\x81\xC3\xB3\x64\xC5\xBA", "\xC5\x82\xC3\x93\x44\xC5\xB9"));
    EXPECT_TRUE(containsIgnoringCase("\xE5\xB1\xB1\xE7\x94\xB0\xE5\xA4\xAA\xE9\x83\x8E", "\xE7\x94\xB0"));
    EXPECT_FALSE(containsIgnoringCase("\xE5\xB1\xB1", "\xE5\xB1\xB2"));
    // An earlier version's Western text finds a UTF-8 word and the reverse.
    EXPECT_TRUE(containsIgnoringCase("Se\xD1OR", "se\xC3\xB1or"));
}

TEST(FindRules, TheNextMatchComesAfterTheSelectionAndWraps)
{
    const std::vector<std::string> rows{"mail", "bank", "shop", "bank two"};
    const auto bank = [&](size_t row) { return containsIgnoringCase(rows[row], "bank"); };
    EXPECT_EQ(nextMatchingRow(rows.size(), std::nullopt, bank), 1u);
    EXPECT_EQ(nextMatchingRow(rows.size(), 1, bank), 3u);
    EXPECT_EQ(nextMatchingRow(rows.size(), 3, bank), 1u) << "wraps to the top";
    EXPECT_EQ(nextMatchingRow(rows.size(), 2, [&](size_t row) { return row == 2; }), 2u) << "the selected row last";
    EXPECT_FALSE(nextMatchingRow(rows.size(), 0, [](size_t) { return false; }));
    EXPECT_FALSE(nextMatchingRow(0, std::nullopt, bank));
}

}  // namespace
}  // namespace tessaly
