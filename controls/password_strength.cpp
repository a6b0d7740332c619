#include "controls/password_strength.h"

#include <array>

namespace tessaly {

namespace {

// A byte that continues a UTF-8 character rather than starting one.
bool continues(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

size_t characterCount(std::string_view utf8)
{
    size_t count = 0;
    for (const char c : utf8) count += continues(c) ? 0 : 1;
    return count;
}

}  // namespace

int passwordStrength(std::string_view password)
{
    if (characterCount(password) < kMinPasswordLength) return 0;
    int lower = 0, upper = 0, digits = 0, others = 0;
    for (const char c : password) {
        if (continues(c)) continue;
        if (c >= 'a' && c <= 'z') {
            ++lower;
        } else if (c >= 'A' && c <= 'Z') {
            ++upper;
        } else if (c >= '0' && c <= '9') {
            ++digits;
        } else {
            ++others;
        }
    }
    int level = 0;
    for (int count : {lower, upper, digits, others}) level += count >= 2 ? 1 : 0;
    return level;
}

const char* strengthKey(int level)
{
    static constexpr std::array<const char*, 5> keys{"too_short", "weak", "good", "very_good", "excellent"};
    return keys[static_cast<size_t>(level < 0 ? 0 : level > 4 ? 4 : level)];
}

int strengthGradientRight(int level, int right)
{
    switch (level) {
    case 1:
        return right - 3 * right / 4;
    case 2:
        return right - right / 2;
    case 3:
        return right - right / 3;
    case 4:
        return right;
    default:
        return 0;
    }
}

bool passwordAccepted(std::string_view password, std::string_view repetition, size_t minimumLength)
{
    return characterCount(password) >= minimumLength && password == repetition;
}

}  // namespace tessaly
