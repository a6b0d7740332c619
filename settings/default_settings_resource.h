#pragma once

#include <string_view>

namespace tessaly {

// The default settings text that the program carries as a resource; empty if
// the resource is missing.
std::string_view defaultSettingsText();

}  // namespace tessaly
