#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/gui_test.h"
#include "tests/support/temp_folder.h"

namespace tessaly::testing {

inline const std::string kSourceDir = TESSALY_SOURCE_DIR;

// A fresh program folder holding the language files, made the current
// directory for the test; a failing test leaves a screenshot of `window`.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(folder.file("lang"));
        for (const char* name : {"default.lang", "spanish.lang", "russian.lang"}) {
            std::filesystem::copy_file(kSourceDir + "/resources/lang/" + name, folder.file("lang/") + name);
        }
        char current[MAX_PATH] = {};
        GetCurrentDirectoryA(MAX_PATH, current);
        previousDirectory = current;
        SetCurrentDirectoryA(folder.path().c_str());
    }

    void TearDown() override
    {
        if (HasFailure() && window) {
            const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
            SetCurrentDirectoryA(previousDirectory.c_str());
            saveWindowBitmap(window, screenshotPath(std::string(info->test_suite_name()) + "." + info->name()));
        }
        if (window && IsWindow(window)) DestroyWindow(window);
        SetCurrentDirectoryA(previousDirectory.c_str());
    }

    std::string defaultSettingsText() const { return readFile(kSourceDir + "/resources/default_settings.dat"); }

    TempFolder folder;
    std::string previousDirectory;
    HWND window = nullptr;
};

}  // namespace tessaly::testing
