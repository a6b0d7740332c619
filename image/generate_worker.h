#pragma once

#include <windows.h>

#include <vector>

#include "image/generate_job.h"
#include "image/list_picture_style.h"
#include "image/progress_window.h"
#include "platform/win32_handles.h"

namespace tessaly {

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
// publishes the picture of the job's entries into the plain slot. An empty
// list leaves both slots empty.
WorkerOutcome generateWorker(GenerateJob& job, WorkerReport& report);

}  // namespace tessaly
