#include "shell/about_texts.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(AboutTexts, SpanishOnlyForACodeThatBeginsWithLowerCaseEsDash)
{
    const AboutTexts spanish = aboutTexts("es-ES");
    EXPECT_EQ(spanish.title, "Acerca de Tessaly");
    EXPECT_EQ(spanish.invitation, "Visite nuestra p\xC3\xA1gina web en:");
    EXPECT_EQ(spanish.description.substr(0, 56), "Tessaly permite ocultar y encriptar sus datos sensibles ");
    EXPECT_NE(spanish.description.find("\xC3\xBAnica llave"), std::string::npos);
    EXPECT_EQ(aboutTexts("ru-RU").invitation, "\xD0\x9F\xD0\xBE\xD1\x81\xD0\xB5\xD1\x82\xD0\xB8\xD1\x82\xD0\xB5 "
                                              "\xD0\xBD\xD0\xB0\xD1\x88 \xD1\x81\xD0\xB0\xD0\xB9\xD1\x82:");
    EXPECT_EQ(aboutTexts("es-").title, "Acerca de Tessaly");

    for (const char* code : {"en-US", "xes-ES", "ES-es", "Es-MX", "es", "", "es_ES"}) {
        const AboutTexts english = aboutTexts(code);
        EXPECT_EQ(english.title, "About Velmora Tessaly v1.1") << code;
        EXPECT_EQ(english.invitation, "Visit our page in:") << code;
        EXPECT_EQ(english.description.substr(0, 40), "Tessaly allows hiding and encrypting you") << code;
    }
}

}  // namespace
}  // namespace tessaly
