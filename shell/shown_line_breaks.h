#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// A description's line breaks (notes brought in from another store keep
// theirs) as a one-line field or cell shows them: each "\r\n", "\n" or "\r"
// as `mark`, " ¶ " in the programs' text.
std::string withShownBreaks(std::string_view text, std::string_view mark);

// A field's text back as the entry's: `original` itself when the field
// still shows it (its breaks exactly as they were), else each `mark` as
// "\r\n".
std::string withLineBreaks(std::string_view shown, std::string_view original, std::string_view mark);

}  // namespace tessaly
