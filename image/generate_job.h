#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "formats/list_file.h"
#include "platform/secure_wipe.h"
#include "platform/win32_handles.h"

namespace tessaly {

// One run of the generate worker. The main window makes it with the ways to
// read its list and to fill its picture slots; the Generate dialog adds the
// background and runs the worker. It outlives the worker.
struct GenerateJob {
    // The list's entries in their labelled form, read on the window's thread.
    std::function<std::vector<PasswordEntry>()> collectEntries;
    // Take a picture into the plain and the encrypted slot (an empty handle
    // empties it); called on the window's thread only.
    std::function<void(BitmapHandle)> publishPlain;
    std::function<void(BitmapHandle)> publishEncrypted;

    bool usePersonalColors = true;
    std::string personalImagePath;
    // What the worker draws: collected just before it starts, let go once
    // the picture is drawn (the passwords wipe themselves).
    std::vector<PasswordEntry> entries;
    // Set by the worker when it drew the picture without the background
    // picture, which could not be loaded, on the background colour instead.
    bool backgroundMissing = false;
    // Set by the worker when there was nothing to draw.
    bool listEmpty = false;

    GenerateJob() = default;
    GenerateJob(const GenerateJob&) = delete;
    GenerateJob& operator=(const GenerateJob&) = delete;

    void dropEntries() { std::vector<PasswordEntry>().swap(entries); }
};

}  // namespace tessaly
