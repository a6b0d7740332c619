#include "cipher/password_key.h"

#include <algorithm>
#include <stdexcept>

#include "platform/secure_wipe.h"

namespace tessaly {

bool keyWithPassword(RijndaelCipher& cipher, const std::string& password)
{
    std::string key(std::max<size_t>(password.size() + 1, 64), '\0');
    std::copy(password.begin(), password.end(), key.begin());
    bool keyed = true;
    try {
        cipher.setKey(std::string_view(key.data(), password.size()), kPictureBlockBytes);
    } catch (const std::invalid_argument&) {
        keyed = false;
    }
    wipeString(key);
    return keyed;
}

}  // namespace tessaly
