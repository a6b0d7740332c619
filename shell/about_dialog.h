#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tessaly {

// What the About box's web link opens, and how.
struct AboutSetup {
    std::string webAddress;
    std::function<void(const std::string&)> open;
};

// Dialog 115: product, version, description in Spanish or English by the
// language's code, the side picture and a web link.
void runAboutDialog(HWND owner, const AboutSetup& setup);

}  // namespace tessaly
