#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// The access key a caption claims with "&": its letter or digit (of any
// script that has case, in UTF-8, or a Western code page's byte), as a small
// letter; 0 for none ("&&" is an ampersand, not a key).
char32_t accessKeyOf(std::string_view caption);

// `caption` with "&" before its first letter or digit that is not among
// `taken` (small letters): the label of a field gets a key that no other
// control of its window has. A caption that has a key already, or has no
// free letter, is left as it is.
std::string withFreeAccessKey(std::string_view caption, std::u32string_view taken);

}  // namespace tessaly
