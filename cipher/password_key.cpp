#include "cipher/password_key.h"

#include <algorithm>

#include "platform/secure_wipe.h"

namespace tessaly {

bool keyWithPassword(RijndaelCipher& cipher, const std::string& password)
{
    if (!RijndaelCipher::keyable(password)) return false;
    std::string key(std::max<size_t>(password.size() + 1, 64), '\0');
    std::copy(password.begin(), password.end(), key.begin());
    cipher.setKey(std::string_view(key.data(), password.size()), kPictureBlockBytes);
    wipeString(key);
    return true;
}

}  // namespace tessaly
