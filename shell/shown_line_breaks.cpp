#include "shell/shown_line_breaks.h"

namespace tessaly {

std::string withShownBreaks(std::string_view text, std::string_view mark)
{
    std::string shown;
    shown.reserve(text.size());
    for (size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (c != '\r' && c != '\n') {
            shown += c;
            continue;
        }
        if (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n') ++at;
        shown += mark;
    }
    return shown;
}

std::string withLineBreaks(std::string_view shown, std::string_view original, std::string_view mark)
{
    if (withShownBreaks(original, mark) == shown) return std::string(original);
    std::string text;
    text.reserve(shown.size());
    for (size_t at = 0; at < shown.size();) {
        if (!mark.empty() && shown.substr(at, mark.size()) == mark) {
            text += "\r\n";
            at += mark.size();
        } else {
            text += shown[at++];
        }
    }
    return text;
}

}  // namespace tessaly
