#include "sfx/self_extractor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/win32_handles.h"
#include "resources/peekstub_ids.h"
#include "formats/bitmap_format.h"
#include "tests/support/gui_test.h"
#include "tests/support/pictures.h"
#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

using testing::pictureOf;
using testing::randomStream;
using testing::readFile;

constexpr WORD kNeutral = MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL);
constexpr int kTimeoutMs = 20000;

std::string resourceBytes(HMODULE module, LPCSTR type, int id)
{
    HRSRC found = FindResourceExA(module, type, MAKEINTRESOURCEA(id), kNeutral);
    if (!found) return {};
    return std::string(static_cast<const char*>(LockResource(LoadResource(module, found))),
                       SizeofResource(module, found));
}

// The raw bytes of a PE file's section, by name.
std::string section(const std::string& file, const char* name)
{
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(file.data());
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(file.data() + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* sections = IMAGE_FIRST_SECTION(nt);
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
        if (std::string(reinterpret_cast<const char*>(sections[i].Name),
                        strnlen(reinterpret_cast<const char*>(sections[i].Name), 8)) == name) {
            return file.substr(sections[i].PointerToRawData, sections[i].SizeOfRawData);
        }
    }
    return {};
}

// A picture, and the same picture enciphered with `password` as Corvale does.
struct Pictures {
    std::vector<uint8_t> plain;
    BitmapHandle encrypted;
};

Pictures picturesOf(uint32_t width, uint32_t height, const std::string& password)
{
    Pictures pictures;
    pictures.plain = randomStream(width, height, width + height);
    pictures.encrypted = testing::encryptedPictureOf(pictures.plain, width, height, password);
    return pictures;
}

SelfExtractorContent contentFor(const std::string& path, int radius, bool on)
{
    return {path,
            "Escriba la contrase\xC3\xB1"
            "a / \xD0\x92\xD0\xB2\xD0\xB5\xD0\xB4\xD0\xB8\xD1\x82\xD0\xB5",
            "Vale",
            "Anular",
            "Un momento...",
            radius,
            on,
            "",
            ""};
}

class SelfExtractorTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
};

TEST_F(SelfExtractorTest, BuiltFileIsTheStubWithThePictureAndTheTextsReplaced)
{
    const Pictures pictures = picturesOf(37, 11, "sfx password");
    const std::string path = folder.file("list.exe");
    testing::writeFile(path, "an older file in the way");
    ASSERT_EQ(buildSelfExtractor(pictures.encrypted.get(), contentFor(path, 35, false)), SelfExtractorResult::Built);

    LibraryHandle built(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    LibraryHandle stub(LoadLibraryExA(TESSALY_PEEKSTUB_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(built);
    ASSERT_TRUE(stub);
    const std::string dib = resourceBytes(built.get(), RT_BITMAP, IDB_ENCRYPTED_IMAGE);
    const auto read = readPackedDib(dib);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->width, 37u);
    ImageRows rows;
    imageRows(pictures.encrypted.get(), rows);
    EXPECT_EQ(dib.substr(kPackedDibHeaderSize),
              std::string(reinterpret_cast<const char*>(rows.rows), bitmapPixelBytes(37, 11)));

    // The prompt in the language's characters, whatever the code page.
    wchar_t prompt[64] = {};
    LoadStringW(built.get(), IDS_PROMPT, prompt, 64);
    EXPECT_EQ(std::wstring(prompt), L"Escriba la contrase\xF1"
                                    L"a / \x412\x432\x435\x434\x438\x442\x435");
    char text[256] = {};
    const std::pair<int, std::string> strings[] = {{IDS_OK, "Vale"},
                                                   {IDS_CANCEL, "Anular"},
                                                   {IDS_WAIT, "Un momento..."},
                                                   {IDS_SPOTLIGHT, "-35"}};
    for (const auto& [id, expected] : strings) {
        LoadStringA(built.get(), id, text, sizeof text);
        EXPECT_EQ(std::string(text), expected) << id;
    }
    for (auto [type, id] : {std::pair{RT_DIALOG, IDD_PASSWORD_WINDOW}, std::pair{RT_DIALOG, IDD_VIEWER_WINDOW},
                            std::pair{RT_ACCELERATOR, IDR_SPOTLIGHT_KEYS}, std::pair{RT_GROUP_ICON, IDI_STUB_LARGE},
                            std::pair{RT_MANIFEST, 1}, std::pair{RT_STRING, 2}}) {
        EXPECT_EQ(resourceBytes(built.get(), type, id), resourceBytes(stub.get(), type, id)) << id;
    }
    built.reset();
    EXPECT_EQ(section(readFile(path), ".text"), section(readFile(TESSALY_PEEKSTUB_EXE), ".text"));
}

TEST_F(SelfExtractorTest, UnwritablePathOrCancelLeavesNoFile)
{
    const Pictures pictures = picturesOf(8, 8, "sfx password");
    const std::string missing = folder.file("no such folder\\list.exe");
    EXPECT_EQ(buildSelfExtractor(pictures.encrypted.get(), contentFor(missing, 20, true)),
              SelfExtractorResult::CannotCreate);
    EXPECT_FALSE(std::filesystem::exists(missing));

    const std::atomic<bool> cancelled{true};
    const std::string path = folder.file("cancelled.exe");
    EXPECT_EQ(buildSelfExtractor(pictures.encrypted.get(), contentFor(path, 20, true), &cancelled),
              SelfExtractorResult::Cancelled);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(testing::listFolder(folder.path()), "");
}

TEST_F(SelfExtractorTest, AFailedOrCancelledBuildLeavesTheFileThatWasThereAsItWas)
{
    const Pictures pictures = picturesOf(8, 8, "sfx password");
    const std::string path = folder.file("list.exe");
    const std::string before = "an earlier self-extracting file";
    testing::writeFile(path, before);

    EXPECT_EQ(buildSelfExtractor(nullptr, contentFor(path, 20, true)), SelfExtractorResult::Failed)
        << "no picture to put in";
    EXPECT_EQ(readFile(path), before);
    const std::atomic<bool> cancelled{true};
    EXPECT_EQ(buildSelfExtractor(pictures.encrypted.get(), contentFor(path, 20, true), &cancelled),
              SelfExtractorResult::Cancelled);
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(testing::listFolder(folder.path()), "list.exe\n") << "no temporary file is left";

    EXPECT_EQ(buildSelfExtractor(pictures.encrypted.get(), contentFor(path, 20, true)), SelfExtractorResult::Built);
    EXPECT_NE(readFile(path), before);
    EXPECT_EQ(testing::listFolder(folder.path()), "list.exe\n");
}

}  // namespace
}  // namespace tessaly
