#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace tessaly {

// What a generated password is made of.
struct PasswordRecipe {
    size_t length = 20;
    bool symbols = true;  // the printable ASCII punctuation besides letters and digits
};

constexpr size_t kShortestGeneratedPassword = 8;
// The password fields hold 35 characters.
constexpr size_t kLongestGeneratedPassword = 35;

// The recipe the settings give: `gen_length` (missing or not a number: 20;
// held to 8 to 35) and `gen_symbols` (only "false" leaves symbols out).
PasswordRecipe passwordRecipe(const std::string& lengthSetting, const std::string& symbolsSetting);

// Fills `bytes` with `count` random bytes; false when it cannot.
using RandomBytes = std::function<bool(void* bytes, size_t count)>;

// A password of the recipe's length with at least one character of each
// class in use (upper case, lower case, digits, symbols), every character
// drawn uniformly from all of them: draws that would favour some characters
// are drawn again, and so is a password that misses a class. Made in
// `password` itself, so no copy is left elsewhere; false (and `password`
// wiped and empty) when the random bytes cannot be had. Every random byte
// drawn is wiped.
bool generatePassword(const PasswordRecipe& recipe, const RandomBytes& random, std::string& password);

}  // namespace tessaly
