#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tessaly {

// Dialog 121: the password of a protected list file, whose name, when
// given, follows the dialog's title. On OK it is read into `password` (its
// owner wipes it); false on Cancel. The field is emptied either way.
[[nodiscard]] bool askListPassword(HWND owner, std::string& password, std::string_view fileName = {});

}  // namespace tessaly
