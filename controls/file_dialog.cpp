#include "controls/file_dialog.h"

#include <commdlg.h>

#include "controls/file_dialog_rules.h"
#include "platform/program_folder.h"

namespace tessaly {

int showFileDialog(HWND owner, char (&fileName)[MAX_PATH], const std::string& title, const std::vector<FileType>& types,
                   const std::string& defaultExtension, bool save)
{
    char currentDirectory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, currentDirectory);
    const std::string folder = initialFolderFor(fileName, currentDirectory);
    const std::string filter = buildFileFilter(types);
    const std::string extension = defaultExtensionForDialog(defaultExtension);

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = fileName;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = folder.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);

    const bool confirmed = save ? GetSaveFileNameA(&dialog) != 0 : GetOpenFileNameA(&dialog) != 0;
    makeProgramFolderCurrent();
    return confirmed ? static_cast<int>(dialog.nFilterIndex) : 0;
}

bool showFileDialog(HWND owner, char (&fileName)[MAX_PATH], const std::string& title, const std::string& filterLabel,
                    const std::string& pattern, const std::string& defaultExtension, bool save)
{
    return showFileDialog(owner, fileName, title, {{filterLabel, pattern}}, defaultExtension, save) != 0;
}

}  // namespace tessaly
