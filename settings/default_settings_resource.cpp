#include "settings/default_settings_resource.h"

#include "platform/own_resource.h"
#include "resources/corvale_ids.h"

namespace tessaly {

std::string_view defaultSettingsText()
{
    return ownResource(MAKEINTRESOURCEA(RT_DEFAULT_SETTINGS), MAKEINTRESOURCEA(IDR_DEFAULT_SETTINGS));
}

}  // namespace tessaly
