#include "cipher/password_generator.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "platform/secure_wipe.h"

namespace tessaly {

namespace {

constexpr std::string_view kUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kLower = "abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kSymbols = "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";

// A random number below `limit` (at most 256) from one byte, redrawing the
// bytes at the top that would make the low numbers likelier.
std::optional<size_t> uniformBelow(size_t limit, const RandomBytes& random)
{
    const unsigned accepted = 256 - 256 % static_cast<unsigned>(limit);
    for (;;) {
        uint8_t byte = 0;
        if (!random(&byte, 1)) return std::nullopt;
        const unsigned value = byte;
        secureWipe(&byte, 1);
        if (value < accepted) return value % limit;
    }
}

bool hasEachClass(const std::string& password, bool symbols)
{
    const auto has = [&](std::string_view characters) {
        return password.find_first_of(characters.data(), 0, characters.size()) != std::string::npos;
    };
    return has(kUpper) && has(kLower) && has(kDigits) && (!symbols || has(kSymbols));
}

}  // namespace

PasswordRecipe passwordRecipe(const std::string& lengthSetting, const std::string& symbolsSetting)
{
    PasswordRecipe recipe;
    char* end = nullptr;
    const long length = std::strtol(lengthSetting.c_str(), &end, 10);
    if (!lengthSetting.empty() && end && *end == '\0') {
        recipe.length = static_cast<size_t>(std::clamp<long>(length, static_cast<long>(kShortestGeneratedPassword),
                                                             static_cast<long>(kLongestGeneratedPassword)));
    }
    recipe.symbols = symbolsSetting != "false";
    return recipe;
}

bool generatePassword(const PasswordRecipe& recipe, const RandomBytes& random, std::string& password)
{
    std::string alphabet = std::string(kUpper) + std::string(kLower) + std::string(kDigits);
    if (recipe.symbols) alphabet += kSymbols;
    wipeString(password);
    password.resize(std::clamp(recipe.length, kShortestGeneratedPassword, kLongestGeneratedPassword));
    for (;;) {
        for (char& character : password) {
            const auto index = uniformBelow(alphabet.size(), random);
            if (!index) {
                wipeString(password);
                return false;
            }
            character = alphabet[*index];
        }
        if (hasEachClass(password, recipe.symbols)) return true;
    }
}

}  // namespace tessaly
