#include "shell/about_texts.h"

#include "tessaly_version.h"

namespace tessaly {

const char kProductNameAndVersion[] = "Velmora Tessaly v" TESSALY_VERSION;

AboutTexts aboutTexts(std::string_view languageCode)
{
    if (languageCode.substr(0, 3) == "es-") {
        return {"Acerca de Tessaly",
                "Tessaly permite ocultar y encriptar sus datos sensibles bajo una \xfanica llave de seguridad. Estos "
                "datos se guardan sobre una imagen encriptada, mediante este m\xe9todo se evita que los ataques por "
                "programas malignos como reveladores de contrase\xf1"
                "as puedan averiguar los datos.",
                "Visite nuestra p\xe1gina web en:"};
    }
    return {std::string("About ") + kProductNameAndVersion,
            "Tessaly allows hiding and encrypting your sensitive data under a unique security key. This data is saved "
            "under an encrypted image, this method prevents from being attacked by harmful programs such as password "
            "revealers.",
            "Visit our page in:"};
}

}  // namespace tessaly
