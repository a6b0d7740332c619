#pragma once

// Helpers for the Windows tests: real windows, real messages, real input.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tessaly::testing {

// Pumps this thread's messages until `done` answers true or `timeoutMs`
// passes; answers `done` once more at the end.
bool pumpUntil(const std::function<bool()>& done, int timeoutMs = 5000);
void pumpFor(int milliseconds);

HWND openDialogModeless(int templateId, DLGPROC proc, HWND owner = nullptr, LPARAM param = 0);

// A visible top-level window with exactly this title, belonging to the given
// process (this one by default); nullptr if there is none.
HWND findTopLevelWindow(const std::string& title, DWORD processId = GetCurrentProcessId());

// A top-level window of thread `threadId` that holds a control `itemId`
// (a window found by what it holds, not by its title, which the language
// changes); nullptr if there is none.
HWND threadWindowWithItem(DWORD threadId, int itemId);

std::string windowText(HWND window);
std::string dialogItemText(HWND dialog, int id);
// Text of a menu item of the window's menu, by position or by command.
std::string menuText(HWND window, UINT item, bool byPosition);

// Clicks a dialog's button the way the button itself reports a click.
void pressButton(HWND dialog, int buttonId);

// In a common open or save dialog: types `path` into the file-name field and
// confirms.
void fillFileNameAndConfirm(HWND fileDialog, const std::string& path);

// One step of a scripted answer to windows that a command opens: wait for a
// top-level window with `title`, then act on it.
struct DialogStep {
    std::string title;
    std::function<void(HWND)> act;
};

DialogStep pressButtonIn(const std::string& title, int buttonId);
DialogStep chooseFileIn(const std::string& title, const std::string& path);
// Puts `text` into a field, then presses the button.
DialogStep fillIn(const std::string& title, int field, const std::string& text, int buttonId);
// Puts `text` into two fields (a password and its repetition), then presses
// the button.
DialogStep fillTwiceIn(const std::string& title, int firstField, int secondField, const std::string& text,
                       int buttonId);
// Reads a message box's text into `text`, then presses the button.
DialogStep readMessageIn(const std::string& title, std::shared_ptr<std::string> text, int buttonId = IDOK);

// Within a step whose window stays open under a message box its action
// raised (a step waits for its own window to go before the next one):
// waits for box `title`, reads it into `text`, presses `buttonId` and waits
// for it to go. False when no such box came.
bool answerMessageIn(const std::string& title, const std::shared_ptr<std::string>& text, int buttonId = IDOK);

// Works through its steps on a thread of its own, so the thread under test
// may sit in a modal loop meanwhile. Each step waits up to `timeoutMs`.
class DialogResponder {
public:
    explicit DialogResponder(std::vector<DialogStep> steps, DWORD processId = GetCurrentProcessId(),
                             int timeoutMs = 10000);
    DialogResponder(const DialogResponder&) = delete;
    DialogResponder& operator=(const DialogResponder&) = delete;
    ~DialogResponder();

    // Waits for the thread and tells how many steps were carried out.
    size_t finish();

private:
    struct Shared;
    std::shared_ptr<Shared> shared_;
    HANDLE thread_;
};

// Key presses for the characters of `text` (letters, digits and the
// punctuation of the US layout), Shift included where needed.
std::vector<INPUT> keyStrokes(const std::string& text);
// Injects them through the system's input, one character at a time.
void typeText(const std::string& text);
void pressKey(WORD virtualKey, bool up);

// Left click at a point of a window's client area, through the system input.
void clickAt(HWND window, POINT client);

// Live GDI objects of this process (under Wine, regions aside), and the
// memory it has committed: what a leak would make grow.
size_t gdiObjectCount();
size_t committedBytes();

// Saves what the screen shows of `window` as a bitmap file.
// What the screen shows of `area`, as a bitmap file.
bool saveScreenArea(const RECT& area, const std::string& path);
bool saveWindowBitmap(HWND window, const std::string& path);

// The folder that failure screenshots go to: the test's working directory.
std::string screenshotPath(const std::string& name);

}  // namespace tessaly::testing
