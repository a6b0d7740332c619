#include "shell/find_rules.h"

#include <algorithm>
#include <string>

#include "platform/utf8_text.h"

namespace tessaly {

bool containsIgnoringCase(std::string_view text, std::string_view wanted)
{
    if (wanted.empty()) return true;
    // Most lists are ASCII: compared in place, with nothing to decode.
    if (isAscii(text) && isAscii(wanted)) {
        const auto same = [](char a, char b) {
            return smallLetter(static_cast<unsigned char>(a)) == smallLetter(static_cast<unsigned char>(b));
        };
        return std::search(text.begin(), text.end(), wanted.begin(), wanted.end(), same) != text.end();
    }
    std::u32string letters = charactersOf(text), wantedLetters = charactersOf(wanted);
    for (auto* characters : {&letters, &wantedLetters}) {
        for (char32_t& c : *characters) c = smallLetter(c);
    }
    return std::search(letters.begin(), letters.end(), wantedLetters.begin(), wantedLetters.end()) != letters.end();
}

std::optional<size_t> nextMatchingRow(size_t rows, std::optional<size_t> selected,
                                      const std::function<bool(size_t row)>& matches)
{
    const size_t start = selected ? *selected + 1 : 0;
    for (size_t step = 0; step < rows; ++step) {
        const size_t row = (start + step) % rows;
        if (matches(row)) return row;
    }
    return std::nullopt;
}

}  // namespace tessaly
