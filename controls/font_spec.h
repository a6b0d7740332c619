#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32_handles.h"

namespace tessaly {

// A font description, with a list of the installed fonts to step through.
class FontSpec {
public:
    FontSpec();

    // In the programs' text; at most 31 characters are kept.
    void setFaceName(const std::string& face);
    // In pixels: the character height, stored as a negative cell height.
    void setHeight(int pixels);
    void setStyle(int weight, bool italic, bool underline);

    // A new font made from the description; the caller owns it.
    FontHandle createFont() const;

    // Appends the faces of the window's display's fonts (each once, whatever
    // its character sets, in the order the system enumerates them, in the
    // programs' text) to the list, and answers the entry at its front, or
    // nothing when the list is empty.
    const std::string* enumerateFonts(HWND window);
    // Moves the cursor on by one and answers the entry there; nothing past
    // the end. The cursor starts at 0 and only this moves it.
    const std::string* nextFont();

private:
    // The "W" forms throughout: GDI reads "A" names in the system's code
    // page, whatever the process's is.
    LOGFONTW description_{};
    std::vector<std::string> fonts_;
    size_t cursor_ = 0;
};

}  // namespace tessaly
