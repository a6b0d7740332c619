#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// The About box's texts in one language, in UTF-8.
struct AboutTexts {
    std::string title;
    std::string description;
    std::string invitation;
};

// "Velmora Tessaly v1.1": the maker's and the product's names and the version.
extern const char kProductNameAndVersion[];

// The Spanish set for a language code that begins with "es-" (exactly so,
// in lower case), the Russian one for "ru-", the English set for any other.
AboutTexts aboutTexts(std::string_view languageCode);

}  // namespace tessaly
