#pragma once

#include <string_view>

namespace tessaly {

constexpr size_t kMinPasswordLength = 6;

// Of a password in UTF-8: 0 for fewer than 6 characters; otherwise how many
// of lower-case letters, capitals, digits and all other characters occur at
// least twice (1 to 4).
int passwordStrength(std::string_view password);

// The language key of a strength level's label.
const char* strengthKey(int level);

// How much of a meter whose right edge is `right` the gradient covers at a
// level, from its left edge at 0.
int strengthGradientRight(int level, int right);

// The shortest passphrase a protected list file takes.
constexpr size_t kMinPassphraseLength = 8;

// Whether a password and its repetition may be used: at least
// `minimumLength` characters of UTF-8, and equal byte for byte.
bool passwordAccepted(std::string_view password, std::string_view repetition,
                      size_t minimumLength = kMinPasswordLength);

}  // namespace tessaly
