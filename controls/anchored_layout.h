#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "controls/window_geometry.h"

namespace tessaly {

// Keeps a window's controls where their anchors put them as the window
// resizes; controls it is not told of stay where they are.
class AnchoredLayout {
public:
    // Notes `host`'s client size and the places of the controls with these
    // ids as they are now: the size the layout grows from.
    void attach(HWND host, const std::vector<std::pair<int, Anchor>>& anchors);
    // Moves the controls for the host's client size now.
    void apply() const;

private:
    struct Control {
        HWND window;
        Box made;
        Anchor anchor;
    };
    HWND host_ = nullptr;
    SIZE made_{};
    std::vector<Control> controls_;
};

}  // namespace tessaly
