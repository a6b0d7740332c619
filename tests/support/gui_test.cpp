#include "tests/support/gui_test.h"

#include <commctrl.h>
#include <psapi.h>

#include <atomic>

#include "platform/win32_handles.h"
#include "formats/bitmap_file.h"
#include "tests/support/temp_folder.h"

namespace tessaly::testing {

namespace {

// Ids of the file-name field in the common file dialogs (combo box in the
// explorer style, plain edit in the older one).
constexpr int kFileNameCombo = 1148;
constexpr int kFileNameEdit = 1152;
// Id of the static text that holds a message box's message.
constexpr int kMessageBoxText = 0xFFFF;

struct WindowSearch {
    const std::string* title;
    DWORD processId;
    HWND found;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search->processId && IsWindowVisible(window) && windowText(window) == *search->title) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

INPUT keyInput(WORD virtualKey, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

}  // namespace

bool pumpUntil(const std::function<bool()>& done, int timeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) return done();
        // A bounded batch, so an endless stream of messages cannot hold
        // the test past its timeout.
        MSG message;
        for (int batch = 0; batch < 200 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++batch) {
            if (!IsDialogMessageW(GetActiveWindow(), &message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void pumpFor(int milliseconds)
{
    pumpUntil([] { return false; }, milliseconds);
}

HWND openDialogModeless(int templateId, DLGPROC proc, HWND owner, LPARAM param)
{
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), owner, proc, param);
    if (dialog) ShowWindow(dialog, SW_SHOW);
    return dialog;
}

HWND findTopLevelWindow(const std::string& title, DWORD processId)
{
    WindowSearch search{&title, processId, nullptr};
    EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND threadWindowWithItem(DWORD threadId, int itemId)
{
    struct Search {
        int itemId;
        HWND found;
    } search{itemId, nullptr};
    EnumThreadWindows(
        threadId,
        [](HWND window, LPARAM lParam) {
            auto* wanted = reinterpret_cast<Search*>(lParam);
            if (!GetDlgItem(window, wanted->itemId)) return TRUE;
            wanted->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string windowText(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string dialogItemText(HWND dialog, int id)
{
    return windowText(GetDlgItem(dialog, id));
}

std::string menuText(HWND window, UINT item, bool byPosition)
{
    char text[256] = {};
    GetMenuStringA(GetMenu(window), item, text, sizeof text, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    return text;
}

void pressButton(HWND dialog, int buttonId)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, buttonId)));
}

void fillFileNameAndConfirm(HWND fileDialog, const std::string& path)
{
    HWND field = GetDlgItem(fileDialog, kFileNameCombo);
    if (!field) field = GetDlgItem(fileDialog, kFileNameEdit);
    SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    pressButton(fileDialog, IDOK);
}

DialogStep pressButtonIn(const std::string& title, int buttonId)
{
    return {title, [buttonId](HWND dialog) { pressButton(dialog, buttonId); }};
}

DialogStep chooseFileIn(const std::string& title, const std::string& path)
{
    return {title, [path](HWND dialog) { fillFileNameAndConfirm(dialog, path); }};
}

DialogStep fillIn(const std::string& title, int field, const std::string& text, int buttonId)
{
    return {title, [=](HWND dialog) {
                SetDlgItemTextA(dialog, field, text.c_str());
                pressButton(dialog, buttonId);
            }};
}

DialogStep fillTwiceIn(const std::string& title, int firstField, int secondField, const std::string& text, int buttonId)
{
    return {title, [=](HWND dialog) {
                SetDlgItemTextA(dialog, firstField, text.c_str());
                SetDlgItemTextA(dialog, secondField, text.c_str());
                pressButton(dialog, buttonId);
            }};
}

bool answerMessageIn(const std::string& title, const std::shared_ptr<std::string>& text, int buttonId)
{
    constexpr int kTries = 250;
    HWND box = nullptr;
    for (int i = 0; i < kTries && !box; ++i) {
        Sleep(20);
        box = findTopLevelWindow(title);
    }
    if (!box) return false;
    readMessageIn(title, text, buttonId).act(box);
    for (int i = 0; i < kTries && IsWindow(box); ++i) Sleep(20);
    return true;
}

DialogStep readMessageIn(const std::string& title, std::shared_ptr<std::string> text, int buttonId)
{
    return {title, [text, buttonId](HWND box) {
                *text = dialogItemText(box, kMessageBoxText);
                pressButton(box, buttonId);
            }};
}

namespace {

// The modal windows of a process still on screen that a step which never
// came left open: owned windows, and message boxes shown with no owner (the
// start-up's). A main window is neither.
std::vector<HWND> leftoversOf(DWORD processId)
{
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM lParam) {
            auto* wanted = reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            const bool modal = GetWindow(window, GW_OWNER) || GetDlgItem(window, kMessageBoxText);
            if (owner == wanted->processId && IsWindowVisible(window) && modal) wanted->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Closes what a failed step left open, so that the thread under test leaves
// its modal loops and the test fails instead of waiting for ever: Cancel,
// then No, then OK, for as long as anything is left.
void closeLeftovers(DWORD processId)
{
    for (int round = 0; round < 30; ++round) {
        const std::vector<HWND> left = leftoversOf(processId);
        if (left.empty()) return;
        const int button = round % 3 == 0 ? IDCANCEL : round % 3 == 1 ? IDNO : IDOK;
        for (HWND window : left) pressButton(window, button);
        Sleep(200);
    }
}

}  // namespace

struct DialogResponder::Shared {
    std::vector<DialogStep> steps;
    DWORD processId;
    int timeoutMs;
    std::atomic<size_t> done{0};
};

DialogResponder::DialogResponder(std::vector<DialogStep> steps, DWORD processId, int timeoutMs)
    : shared_(std::make_shared<Shared>())
{
    shared_->steps = std::move(steps);
    shared_->processId = processId;
    shared_->timeoutMs = timeoutMs;
    auto* keep = new std::shared_ptr<Shared>(shared_);
    thread_ = CreateThread(
        nullptr, 0,
        [](void* parameter) -> DWORD {
            std::unique_ptr<std::shared_ptr<Shared>> owned(static_cast<std::shared_ptr<Shared>*>(parameter));
            Shared& shared = **owned;
            for (const DialogStep& step : shared.steps) {
                HWND window = nullptr;
                const DWORD start = GetTickCount();
                while (!(window = findTopLevelWindow(step.title, shared.processId))) {
                    if (static_cast<int>(GetTickCount() - start) > shared.timeoutMs) {
                        closeLeftovers(shared.processId);
                        return 1;
                    }
                    Sleep(20);
                }
                // Let the window finish its initialisation before acting on it.
                Sleep(100);
                step.act(window);
                // Wait until the window has gone, so the next step cannot
                // find it again.
                while (IsWindow(window) && IsWindowVisible(window) &&
                       static_cast<int>(GetTickCount() - start) < shared.timeoutMs) {
                    Sleep(20);
                }
                ++shared.done;
            }
            return 0;
        },
        keep, 0, nullptr);
    if (!thread_) delete keep;
}

size_t DialogResponder::finish()
{
    if (thread_) {
        // The thread under test keeps pumping so the answered windows can close.
        pumpUntil([this] { return WaitForSingleObject(thread_, 0) == WAIT_OBJECT_0; },
                  shared_->timeoutMs * static_cast<int>(shared_->steps.size() + 1));
        KernelHandle ended(thread_);
        thread_ = nullptr;
    }
    return shared_->done;
}

DialogResponder::~DialogResponder()
{
    finish();
}

std::vector<INPUT> keyStrokes(const std::string& text)
{
    std::vector<INPUT> inputs;
    for (char c : text) {
        const SHORT scan = VkKeyScanA(c);
        if (scan == -1) continue;
        const WORD key = LOBYTE(scan);
        const bool shift = HIBYTE(scan) & 1;
        if (shift) inputs.push_back(keyInput(VK_SHIFT, false));
        inputs.push_back(keyInput(key, false));
        inputs.push_back(keyInput(key, true));
        if (shift) inputs.push_back(keyInput(VK_SHIFT, true));
    }
    return inputs;
}

void typeText(const std::string& text)
{
    for (char c : text) {
        std::vector<INPUT> inputs = keyStrokes(std::string(1, c));
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }
}

void pressKey(WORD virtualKey, bool up)
{
    INPUT input = keyInput(virtualKey, up);
    SendInput(1, &input, sizeof input);
}

void clickAt(HWND window, POINT client)
{
    ClientToScreen(window, &client);
    SetCursorPos(client.x, client.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

size_t gdiObjectCount()
{
    if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return count;
    // Wine answers 0 above, but its handle table also takes a handle's bare
    // index, so there every live object shows when the indexes are probed.
    // Regions are left out: Wine keeps each window's pending update region
    // as an object of the process, so their number follows the repaints
    // still to come, where Windows keeps them out of the count above.
    size_t count = 0;
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index) {
        const DWORD type = GetObjectType(reinterpret_cast<HGDIOBJ>(index));
        if (type && type != OBJ_REGION) ++count;
    }
    return count;
}

size_t committedBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

bool saveWindowBitmap(HWND window, const std::string& path)
{
    RECT area;
    return GetWindowRect(window, &area) && saveScreenArea(area, path);
}

bool saveScreenArea(const RECT& area, const std::string& path)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;

    WindowDc screen(nullptr);
    MemoryDc memory(CreateCompatibleDC(screen.get()));
    BitmapHandle canvas(createImage(static_cast<uint32_t>(width), static_cast<uint32_t>(height)));
    if (!memory || !canvas) return false;
    {
        SelectGuard selected(memory.get(), canvas.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
        GdiFlush();
    }
    return writeBitmapFile(canvas.get(), path);
}

std::string screenshotPath(const std::string& name)
{
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return std::string(folder) + "\\" + name + ".bmp";
}

}  // namespace tessaly::testing
