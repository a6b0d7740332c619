#include "shell/about_texts.h"

#include "tessaly_version.h"

namespace tessaly {

const char kProductNameAndVersion[] = "Velmora Tessaly v" TESSALY_VERSION;

AboutTexts aboutTexts(std::string_view languageCode)
{
    if (languageCode.substr(0, 3) == "es-") {
        return {"Acerca de Tessaly",
                "Tessaly permite ocultar y encriptar sus datos sensibles bajo una \xC3\xBAnica llave de seguridad. "
                "Estos datos se guardan sobre una imagen encriptada, mediante este m\xC3\xA9todo se evita que los "
                "ataques por programas malignos como reveladores de contrase\xC3\xB1"
                "as puedan averiguar los datos.",
                "Visite nuestra p\xC3\xA1gina web en:"};
    }
    if (languageCode.substr(0, 3) == "ru-") {
        return {u8"О программе Tessaly",
                u8"Tessaly скрывает и шифрует ваши конфиденциальные данные под единым ключом безопасности. Данные "
                u8"хранятся в зашифрованном изображении, и такой способ не позволяет вредоносным программам, "
                u8"например похитителям паролей, узнать их.",
                u8"Посетите наш сайт:"};
    }
    return {std::string("About ") + kProductNameAndVersion,
            "Tessaly allows hiding and encrypting your sensitive data under a unique security key. This data is saved "
            "under an encrypted image, this method prevents from being attacked by harmful programs such as password "
            "revealers.",
            "Visit our page in:"};
}

}  // namespace tessaly
