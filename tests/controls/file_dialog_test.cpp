#include "controls/file_dialog.h"

#include <commdlg.h>
#include <dlgs.h>

#include "platform/program_folder.h"
#include "tests/support/corvale_fixture.h"

namespace tessaly {
namespace {

using testing::DialogResponder;

std::string currentDirectory()
{
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    std::string text(folder);
    if (!text.empty() && text.back() != '\\') text += '\\';
    return text;
}

class FileDialogTest : public testing::ProgramFolderTest {};

TEST_F(FileDialogTest, CancelledDialogShowsTitleFilterAndFolderAndRestoresTheProgramFolder)
{
    testing::writeFile(folder.file("start.lang"), "x=1\r\n");
    const std::string startFolder = currentDirectory();
    std::string seenFolder, seenFilter;
    DialogResponder responder({{"Pick one", [&](HWND dialog) {
                                    char text[MAX_PATH] = {};
                                    SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(text));
                                    seenFolder = text;
                                    seenFilter = testing::dialogItemText(dialog, cmb1);
                                    testing::pressButton(dialog, IDCANCEL);
                                }}});
    char name[MAX_PATH] = {};
    EXPECT_FALSE(showFileDialog(nullptr, name, "Pick one", "Language file", "*.lang", ".lang", false));
    EXPECT_EQ(responder.finish(), 1u);
    EXPECT_STRCASEEQ((seenFolder + "\\").c_str(), startFolder.c_str());
    EXPECT_EQ(seenFilter, "Language file (*.lang)");
    EXPECT_STRCASEEQ(currentDirectory().c_str(), programFolder().c_str());
    EXPECT_STREQ(name, "");
}

TEST_F(FileDialogTest, ConfirmedSaveGivesTheFullPathWithTheDefaultExtension)
{
    const std::string target = folder.file("mylist");
    DialogResponder responder({testing::chooseFileIn("Save it", target)});
    char name[MAX_PATH] = {};
    EXPECT_TRUE(showFileDialog(nullptr, name, "Save it", "Password list", "*.slc", ".slc", true));
    EXPECT_EQ(responder.finish(), 1u);
    EXPECT_STRCASEEQ(name, (target + ".slc").c_str());
    EXPECT_STRCASEEQ(currentDirectory().c_str(), programFolder().c_str());
}

TEST_F(FileDialogTest, NameInTheBufferChoosesTheStartingFolder)
{
    CreateDirectoryA(folder.file("lists").c_str(), nullptr);
    std::string seenFolder;
    DialogResponder responder({{"Open", [&](HWND dialog) {
                                    char text[MAX_PATH] = {};
                                    SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(text));
                                    seenFolder = text;
                                    testing::pressButton(dialog, IDCANCEL);
                                }}});
    char name[MAX_PATH] = {};
    const std::string inside = folder.file("lists") + "\\old.slc";
    lstrcpynA(name, inside.c_str(), MAX_PATH);
    showFileDialog(nullptr, name, "Open", "Password list", "*.slc", ".slc", false);
    EXPECT_EQ(responder.finish(), 1u);
    EXPECT_STRCASEEQ(seenFolder.c_str(), folder.file("lists").c_str());
}

}  // namespace
}  // namespace tessaly
