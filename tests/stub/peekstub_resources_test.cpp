// Peekstub's resources are a contract: Corvale replaces bitmap 105 and string
// block 1 under the neutral language in every copy it writes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/peekstub_ids.h"
#include "platform/win32_handles.h"

namespace tessaly {
namespace {

struct LoadedStub {
    LibraryHandle module{LoadLibraryExA(TESSALY_PEEKSTUB_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE)};
};

std::string resourceBytes(HMODULE module, LPCSTR type, int id, WORD language)
{
    HRSRC found = FindResourceExA(module, type, MAKEINTRESOURCEA(id), language);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(module, found);
    return std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
}

int countLanguages(HMODULE module, LPCSTR type, int id)
{
    int count = 0;
    EnumResourceLanguagesA(
        module, type, MAKEINTRESOURCEA(id),
        [](HMODULE, LPCSTR, LPCSTR, WORD, LONG_PTR counter) -> BOOL {
            ++*reinterpret_cast<int*>(counter);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&count));
    return count;
}

TEST(PeekstubResources, PlaceholdersUnderTheNeutralLanguageOnly)
{
    LoadedStub stub;
    ASSERT_TRUE(stub.module);
    const WORD neutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
    HMODULE module = stub.module.get();

    // Bitmap 105: a 1 x 1 white 24-bit picture, stored as a packed DIB.
    const std::string bitmap = resourceBytes(module, RT_BITMAP, IDB_ENCRYPTED_IMAGE, neutral);
    ASSERT_EQ(bitmap.size(), 44u);
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bitmap.data());
    EXPECT_EQ(header->biWidth, 1);
    EXPECT_EQ(header->biHeight, 1);
    EXPECT_EQ(header->biBitCount, 24);
    EXPECT_EQ(bitmap.substr(40), std::string("\xff\xff\xff\x00", 4));

    // String block 1 holds ids 0 to 15: five texts, then eleven empty ones.
    const std::string block = resourceBytes(module, RT_STRING, 1, neutral);
    const char16_t* units = reinterpret_cast<const char16_t*>(block.data());
    std::u16string texts[16];
    size_t pos = 0;
    for (auto& text : texts) {
        ASSERT_LT(pos, block.size() / 2);
        size_t length = units[pos++];
        text.assign(units + pos, length);
        pos += length;
    }
    EXPECT_EQ(texts[0], u"Ingrese la contrase\u00f1a");
    EXPECT_EQ(texts[1], u"Aceptar");
    EXPECT_EQ(texts[2], u"Cancelar");
    EXPECT_EQ(texts[3], u"Por favor, espere...");
    EXPECT_EQ(texts[4], u"20");
    for (int i = 5; i < 16; ++i) EXPECT_TRUE(texts[i].empty()) << i;

    for (auto [type, id] : {std::pair{RT_BITMAP, IDB_ENCRYPTED_IMAGE}, std::pair{RT_STRING, 1},
                            std::pair{RT_DIALOG, IDD_PASSWORD_WINDOW}, std::pair{RT_DIALOG, IDD_VIEWER_WINDOW},
                            std::pair{RT_ACCELERATOR, IDR_SPOTLIGHT_KEYS}, std::pair{RT_GROUP_ICON, IDI_STUB_LARGE},
                            std::pair{RT_GROUP_ICON, IDI_STUB_SMALL}, std::pair{RT_MANIFEST, 1}}) {
        EXPECT_EQ(countLanguages(module, type, id), 1) << id;
        EXPECT_FALSE(resourceBytes(module, type, id, neutral).empty()) << id;
    }
}

TEST(PeekstubResources, SpotlightKeys)
{
    LoadedStub stub;
    ASSERT_TRUE(stub.module);
    const std::string table = resourceBytes(stub.module.get(), RT_ACCELERATOR, IDR_SPOTLIGHT_KEYS,
                                            MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    // Resource accelerator entries: flags, key, command, padding (8 bytes each).
    ASSERT_EQ(table.size(), 16u);
    auto word = [&](size_t offset) {
        return static_cast<unsigned>(static_cast<unsigned char>(table[offset]) |
                                     static_cast<unsigned char>(table[offset + 1]) << 8);
    };
    EXPECT_EQ(word(0) & ~0x80u, static_cast<unsigned>(FVIRTKEY | FNOINVERT));
    EXPECT_EQ(word(2), static_cast<unsigned>(VK_ADD));
    EXPECT_EQ(word(4), static_cast<unsigned>(ID_SPOTLIGHT_GROW));
    EXPECT_EQ(word(8) & 0x80u, 0x80u);  // last entry
    EXPECT_EQ(word(10), static_cast<unsigned>(VK_SUBTRACT));
    EXPECT_EQ(word(12), static_cast<unsigned>(ID_SPOTLIGHT_SHRINK));
}

}  // namespace
}  // namespace tessaly
