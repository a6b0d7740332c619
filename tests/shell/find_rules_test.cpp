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
