#include "controls/file_dialog.h"

#include <commdlg.h>

#include "controls/file_dialog_rules.h"
#include "platform/program_folder.h"

namespace tessaly {

bool showFileDialog(HWND owner, char (&fileName)[MAX_PATH], const std::string& title, const std::string& filterLabel,
                    const std::string& pattern, const std::string& defaultExtension, bool save)
{
    char currentDirectory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, currentDirectory);
    const std::string folder = initialFolderFor(fileName, currentDirectory);
    const std::string filter = buildFileFilter(filterLabel, pattern);
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
    return confirmed;
}

}  // namespace tessaly
