#pragma once

#include <windows.h>

#include <cstdint>

#include "controls/dialog.h"
#include "controls/image_view.h"
#include "platform/win32_handles.h"

namespace tessaly {

// What the viewer shows: the deciphered picture through the spotlight, over
// the enciphered one. The cover is bitmap 105's own rows, which the
// program's image holds for its whole run.
struct ViewerPictures {
    BitmapHandle readable;
    const uint8_t* coverRows = nullptr;
};

// Dialog 102: the readable picture through the spotlight, sized to the
// picture, with bars only where it does not fit. It only looks at the
// pictures, which outlive it, and until it is shown at nothing but the
// picture's size. Its messages run on the thread that made it; closing it
// posts WM_QUIT with the program's exit code.
class ViewerWindow final : public Dialog {
public:
    explicit ViewerWindow(const ViewerPictures& pictures);

    // Made modeless over `owner`, hidden; false when it cannot be made.
    bool create(HWND owner);

private:
    BOOL onInitDialog() override;
    void onCancel() override;
    void onCommand(int id, int code) override;
    std::optional<INT_PTR> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void onSize(int width, int height);
    BOOL onDrawItem(const DRAWITEMSTRUCT& item);
    HWND picture() const;
    int readableWidth() const;
    int readableHeight() const;
    void sizeToPicture();

    const ViewerPictures& pictures_;
    ImageViewState view_;
    SpotlightCanvas canvas_;
};

}  // namespace tessaly
