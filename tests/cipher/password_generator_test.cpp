#include "cipher/password_generator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <string>

namespace tessaly {
namespace {

// Random bytes from a seeded generator, so each run draws the same.
RandomBytes seeded(uint32_t seed)
{
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](void* bytes, size_t count) {
        auto* out = static_cast<uint8_t*>(bytes);
        for (size_t i = 0; i < count; ++i) out[i] = static_cast<uint8_t>((*engine)() & 0xFF);
        return true;
    };
}

TEST(PasswordGenerator, RecipeFromTheSettings)
{
    EXPECT_EQ(passwordRecipe("", "").length, 20u) << "missing";
    EXPECT_EQ(passwordRecipe("twelve", "").length, 20u);
    EXPECT_EQ(passwordRecipe("12", "").length, 12u);
    EXPECT_EQ(passwordRecipe("3", "").length, 8u);
    EXPECT_EQ(passwordRecipe("99", "").length, 35u);
    EXPECT_EQ(passwordRecipe("-4", "").length, 8u);
    EXPECT_TRUE(passwordRecipe("", "").symbols);
    EXPECT_TRUE(passwordRecipe("", "False").symbols) << "only exactly \"false\" leaves them out";
    EXPECT_FALSE(passwordRecipe("", "false").symbols);
}

TEST(PasswordGenerator, EveryClassInUseAppearsAndNothingElse)
{
    const RandomBytes random = seeded(7);
    for (bool symbols : {true, false}) {
        for (size_t length : {8u, 20u, 35u}) {
            for (int draw = 0; draw < 200; ++draw) {
                std::string password = "left over";
                ASSERT_TRUE(generatePassword({length, symbols}, random, password));
                ASSERT_EQ(password.size(), length);
                bool upper = false, lower = false, digit = false, symbol = false;
                for (char c : password) {
                    upper |= c >= 'A' && c <= 'Z';
                    lower |= c >= 'a' && c <= 'z';
                    digit |= c >= '0' && c <= '9';
                    const bool other = !(c >= 'A' && c <= 'Z') && !(c >= 'a' && c <= 'z') && !(c >= '0' && c <= '9');
                    ASSERT_TRUE(!other || (symbols && c > ' ' && c < 127)) << password;
                    symbol |= other;
                }
                ASSERT_TRUE(upper && lower && digit && symbol == symbols) << password;
            }
        }
    }
}

// 94 characters over 200,000 draws: each is expected about 2,128 times. A
// generator that took a byte modulo 94 would give the first 68 characters
// 3/2 of the share of the others; the spread allowed here is far narrower.
TEST(PasswordGenerator, EveryCharacterIsEquallyLikely)
{
    const RandomBytes random = seeded(11);
    std::map<char, int> counts;
    int total = 0;
    std::string password;
    while (total < 200000) {
        ASSERT_TRUE(generatePassword({35, true}, random, password));
        for (char c : password) ++counts[c];
        total += 35;
    }
    ASSERT_EQ(counts.size(), 94u);
    const double expected = static_cast<double>(total) / 94;
    for (const auto& [character, count] : counts) {
        EXPECT_NEAR(count, expected, expected * 0.1) << character;
    }
}

TEST(PasswordGenerator, NoRandomBytesNoPassword)
{
    std::string password = "before";
    EXPECT_FALSE(generatePassword(
        {20, true}, [](void*, size_t) { return false; }, password));
    EXPECT_TRUE(password.empty());
}

}  // namespace
}  // namespace tessaly
