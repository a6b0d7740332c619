#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// The access key a caption claims with "&": its letter or digit, lower case;
// 0 for none ("&&" is an ampersand, not a key).
char accessKeyOf(std::string_view caption);

// `caption` with "&" before its first ASCII letter or digit that is not
// among `taken` (lower case): the label of a field gets a key that no other
// control of its window has. A caption that has a key already, or has no
// free letter, is left as it is.
std::string withFreeAccessKey(std::string_view caption, std::string_view taken);

}  // namespace tessaly
