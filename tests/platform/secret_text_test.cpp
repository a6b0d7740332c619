#include "platform/secret_text.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace tessaly {
namespace {

bool storedInside(const SecretText& text)
{
    const auto* object = reinterpret_cast<const char*>(&text);
    return text.data() >= object && text.data() < object + sizeof text;
}

TEST(SecretText, EvenAShortPasswordLivesOnTheHeapAndMovesWithoutACopy)
{
    SecretText shortOne("pw");
    EXPECT_FALSE(storedInside(shortOne)) << "a copy inside the object would stay behind when it moves";
    const char* buffer = shortOne.data();
    SecretText moved = std::move(shortOne);
    EXPECT_EQ(moved.data(), buffer);
    EXPECT_EQ(moved, "pw");

    // A vector of them that grows moves buffers, never characters.
    std::vector<SecretText> many;
    many.emplace_back("first");
    const char* first = many[0].data();
    for (int i = 0; i < 100; ++i) many.emplace_back("more");
    EXPECT_EQ(many[0].data(), first);
}

TEST(SecretText, ComparesAppendsAndEmptiesAsText)
{
    SecretText text("Password: ");
    text.append("s3cret");
    EXPECT_EQ(text, "Password: s3cret");
    EXPECT_EQ(text.view().size(), 16u);
    EXPECT_NE(text, SecretText("Password: s3cre"));
    EXPECT_EQ(SecretText(std::string("a\0b", 3)).size(), 3u) << "every byte counts, a zero too";
    text.assign("x");
    EXPECT_EQ(text, "x");
    text.clear();
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(text, "");
}

}  // namespace
}  // namespace tessaly
