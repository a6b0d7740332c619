#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "image/list_picture_style.h"
#include "image/progress_window.h"
#include "platform/win32_handles.h"
#include "shell/list_file.h"

namespace tessaly {

// What the Generate dialog hands to its worker; the dialog owns it until the
// progress window has closed.
struct GenerateJob {
    bool usePersonalColors = true;
    std::string personalImagePath;
    // The list's entries in their labelled form. Called on the worker's
    // thread: the list control answers through messages.
    std::function<std::vector<PasswordEntry>()> readEntries;
    // Take a picture into the plain and the encrypted slot (an empty handle
    // empties it); called on the window's thread only.
    std::function<void(BitmapHandle)> publishPlain;
    std::function<void(BitmapHandle)> publishEncrypted;
    // Set by the worker when the background picture could not be loaded and
    // the background colour was used instead.
    bool backgroundMissing = false;
};

enum class RenderStatus { Done, EmptyList, TooLarge, Cancelled };

struct RenderedList {
    BitmapHandle picture;  // a picture of createImage, or none
    RenderStatus status = RenderStatus::EmptyList;
    bool backgroundMissing = false;
};

// Draws the entries, three labelled lines each, in the style's font and
// colours on the style's background colour or, unless the job uses the
// colours, on its picture stretched behind every entry. Reports each entry
// on the status line and the progress bar, and stops when Cancel is pressed.
RenderedList renderList(const std::vector<PasswordEntry>& entries, const GenerateJob& job,
                        const ListPictureStyle& style, WorkerReport& report);

// The worker behind the Generate dialog: empties both picture slots, then
// publishes the list picture into the plain slot. An empty list leaves both
// slots empty.
WorkerOutcome generateWorker(GenerateJob& job, WorkerReport& report);

}  // namespace tessaly
