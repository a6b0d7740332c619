// Runs self-extracting files that Corvale's builder writes, as their own
// processes, types the password with real keys and reads the viewer's pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32_handles.h"
#include "resources/peekstub_ids.h"
#include "formats/string_block.h"
#include "formats/guarded_picture.h"
#include "sfx/self_extractor.h"
#include "stub/password_window.h"
#include "tests/support/gui_test.h"
#include "tests/support/pictures.h"
#include "tests/support/program_process.h"
#include "tests/support/temp_folder.h"

namespace tessaly {
namespace {

using testing::ProgramProcess;

constexpr char kTitle[] = "Corvale Stub";
constexpr char kPassword[] = "open sesame 42";
constexpr char kWrongPassword[] = "Wrong password: try again.";

using testing::pixelAt;

struct Picture {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> plain;
    BitmapHandle encrypted;

    uint32_t plainAt(int x, int y) const { return pixelAt(plain, width, x, y); }
};

Picture pictureOf(uint32_t width, uint32_t height)
{
    Picture picture{width, height, testing::randomStream(width, height, width * height), {}};
    picture.encrypted = testing::encryptedPictureOf(picture.plain, width, height, kPassword);
    return picture;
}

// What the screen shows of a window's client area, as a pixel stream.
std::vector<uint8_t> shownIn(HWND window, int width, int height)
{
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    ImageRows rows;
    BitmapHandle copy(createImage(static_cast<uint32_t>(width), static_cast<uint32_t>(height), &rows));
    WindowDc screen(nullptr);
    MemoryDc memory(CreateCompatibleDC(screen.get()));
    {
        SelectGuard selected(memory.get(), copy.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), origin.x, origin.y, SRCCOPY);
        GdiFlush();
    }
    return testing::streamOf(copy.get());
}

class PeekstubRun : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (HasFailure() && viewer) {
            testing::saveWindowBitmap(viewer, testing::screenshotPath(
                                                  ::testing::UnitTest::GetInstance()->current_test_info()->name()));
        }
    }

    std::string build(const Picture& picture, int radius, bool on)
    {
        // Run from a folder of its own, away from Corvale.
        const std::string path = folder.file("list.exe");
        SelfExtractorContent content{path, "Password:", "OK", "Cancel", "Please wait...", radius, on, "", ""};
        EXPECT_EQ(buildSelfExtractor(picture.encrypted.get(), content), SelfExtractorResult::Built);
        return path;
    }

    // A guarded file of the plain picture: sealed under `password` (UTF-8).
    std::string buildGuarded(const std::vector<uint8_t>& stream, uint32_t width, uint32_t height,
                             const std::string& password = kPassword)
    {
        const std::string path = folder.file("guarded.exe");
        GuardedPicture guarded;
        EXPECT_EQ(guardPicture(testing::pictureOf(stream, width, height).get(), password, guarded), GuardResult::Done);
        SelfExtractorContent content{path, "Password:", "OK",           "Cancel",      "Please wait...",
                                     20,   false,       guarded.header, kWrongPassword};
        EXPECT_EQ(buildSelfExtractor(guarded.sealed.get(), content), SelfExtractorResult::Built);
        return path;
    }

    // Types a password into the prompt with real keys and confirms.
    static void typeAndConfirm(HWND prompt, const std::string& password)
    {
        SetForegroundWindow(prompt);
        testing::pumpFor(200);
        testing::typeText(password);
        testing::pumpUntil([&] { return IsWindowEnabled(GetDlgItem(prompt, IDC_STUB_OK)) != FALSE; });
        testing::pumpFor(200);
        testing::pressKey(VK_RETURN, false);
        testing::pressKey(VK_RETURN, true);
    }

    // Types the password into the prompt with real keys and confirms; the
    // viewer, once it has replaced the prompt.
    HWND openViewer(ProgramProcess& stub, const std::string& password)
    {
        HWND prompt = stub.waitForWindow(kTitle);
        if (!prompt) return nullptr;
        typeAndConfirm(prompt, password);
        testing::pumpUntil([&] { return !IsWindowVisible(prompt); }, ProgramProcess::kTimeoutMs);
        viewer = stub.waitForWindow(kTitle);
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        testing::pumpFor(300);
        return viewer;
    }

    static RECT clientOf(HWND window)
    {
        RECT area{};
        GetClientRect(window, &area);
        return area;
    }

    // The file says in both languages, before a password is typed for
    // nothing, that it holds no picture it can show, and ends with 39.
    void expectNoPictureMessage(const std::string& path)
    {
        ProgramProcess stub(path);
        auto text = std::make_shared<std::string>();
        testing::DialogResponder responder({testing::readMessageIn("Error", text)}, stub.id(),
                                           ProgramProcess::kTimeoutMs);
        EXPECT_EQ(responder.finish(), 1u);
        EXPECT_NE(text->find("This file holds no encrypted image that can be shown."), std::string::npos) << *text;
        EXPECT_NE(text->find("Este archivo no contiene"), std::string::npos) << *text;
        EXPECT_EQ(stub.waitForExit(), kPeekstubExitCode);
    }

    testing::TempFolder folder;
    HWND viewer = nullptr;
};

TEST_F(PeekstubRun, RightPasswordShowsThePictureAndClosingTheViewerEndsWith39)
{
    const Picture picture = pictureOf(300, 200);
    ProgramProcess stub(build(picture, 20, false));
    ASSERT_TRUE(openViewer(stub, kPassword));
    const RECT client = clientOf(viewer);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(viewer, IDC_VIEWER_HSCROLL)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(viewer, IDC_VIEWER_VSCROLL)));
    EXPECT_TRUE(shownIn(GetDlgItem(viewer, IDC_VIEWER_PICTURE), 300, 200) == picture.plain)
        << "the spotlight is off: the whole picture shows";

    PostMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(stub.waitForExit(), kPeekstubExitCode);
}

TEST_F(PeekstubRun, APasswordConfirmedAtOnceOpensALargePictureWholeAtBothEnds)
{
    // Large enough to be deciphered on two threads, and to take a while to
    // prepare, which the password here does not wait for.
    const Picture picture = pictureOf(2000, 1500);
    ProgramProcess stub(build(picture, 20, false));
    HWND prompt = stub.waitForWindow(kTitle);
    ASSERT_TRUE(prompt);
    SendDlgItemMessageA(prompt, IDC_STUB_PASSWORD, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kPassword));
    PostMessageA(prompt, WM_COMMAND, MAKEWPARAM(IDC_STUB_OK, BN_CLICKED), 0);
    ASSERT_TRUE(testing::pumpUntil([&] { return !IsWindowVisible(prompt); }, ProgramProcess::kTimeoutMs));
    viewer = stub.waitForWindow(kTitle);
    ASSERT_TRUE(viewer);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    HWND control = GetDlgItem(viewer, IDC_VIEWER_PICTURE);
    const RECT area = clientOf(control);
    const auto expectShown = [&](int left, int top, const char* where) {
        testing::pumpFor(300);
        const auto shown = shownIn(control, area.right, area.bottom);
        int differing = 0;
        for (int y = 0; y < area.bottom; ++y) {
            for (int x = 0; x < area.right; ++x) {
                differing += pixelAt(shown, static_cast<uint32_t>(area.right), x, y) !=
                             picture.plainAt(left + x, top + y);
            }
        }
        EXPECT_EQ(differing, 0) << where;
    };
    expectShown(0, 0, "top left");
    // Page by page to the far corner, as far as the bars go.
    for (int page = 0; page < 5; ++page) {
        SendMessageA(viewer, WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(GetDlgItem(viewer, IDC_VIEWER_HSCROLL)));
        SendMessageA(viewer, WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(GetDlgItem(viewer, IDC_VIEWER_VSCROLL)));
    }
    const int right = GetScrollPos(GetDlgItem(viewer, IDC_VIEWER_HSCROLL), SB_CTL);
    const int bottom = GetScrollPos(GetDlgItem(viewer, IDC_VIEWER_VSCROLL), SB_CTL);
    EXPECT_GT(right + area.right, 1990);
    EXPECT_GT(bottom + area.bottom, 1490);
    expectShown(right, bottom, "bottom right");
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(stub.waitForExit(), kPeekstubExitCode);
}

TEST_F(PeekstubRun, OnceThePictureShowsThePasswordIsNowhereInTheViewersMemory)
{
    const Picture picture = pictureOf(300, 200);
    ProgramProcess stub(build(picture, 20, false));
    ASSERT_TRUE(openViewer(stub, kPassword));
    const auto utf16 = [](const std::string& text) {
        std::string wide;
        for (char c : text) wide += std::string{c, '\0'};
        return wide;
    };
    // The scan itself must be able to find what it looks for: the readable
    // picture's bottom row, as its bitmap holds it (blue, green, red).
    std::string bottomRow;
    for (uint32_t x = 0; x < picture.width; ++x) {
        const uint32_t rgb = picture.plainAt(static_cast<int>(x), static_cast<int>(picture.height - 1));
        bottomRow += {static_cast<char>(rgb & 0xFF), static_cast<char>(rgb >> 8 & 0xFF), static_cast<char>(rgb >> 16)};
    }
    ASSERT_GT(testing::copiesInMemory(stub.id(), bottomRow), 0);
    EXPECT_EQ(testing::copiesInMemory(stub.id(), kPassword), 0) << "in the ANSI code page";
    EXPECT_EQ(testing::copiesInMemory(stub.id(), utf16(kPassword)), 0) << "in UTF-16";
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(stub.waitForExit(), kPeekstubExitCode);
}

TEST_F(PeekstubRun, ATallNarrowPictureShowsItsRightMostColumnBesideTheBar)
{
    const Picture picture = pictureOf(300, 600);
    ProgramProcess stub(build(picture, 20, false));
    ASSERT_TRUE(openViewer(stub, kPassword));
    EXPECT_EQ(clientOf(viewer).right, 300 + GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(viewer, IDC_VIEWER_HSCROLL)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(viewer, IDC_VIEWER_VSCROLL)));
    HWND control = GetDlgItem(viewer, IDC_VIEWER_PICTURE);
    const RECT area = clientOf(control);
    ASSERT_EQ(area.right, 300);
    const auto shown = shownIn(control, area.right, area.bottom);
    for (int y = 0; y < area.bottom; y += 13) {
        EXPECT_EQ(pixelAt(shown, 300, 299, static_cast<uint32_t>(y)), picture.plainAt(299, y)) << y;
    }
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(stub.waitForExit(), kPeekstubExitCode);
}

TEST_F(PeekstubRun, SpotlightShowsADiscOfThePictureOverTheCover)
{
    const Picture picture = pictureOf(300, 200);
    ProgramProcess stub(build(picture, 20, true));
    ASSERT_TRUE(openViewer(stub, kPassword));
    HWND control = GetDlgItem(viewer, IDC_VIEWER_PICTURE);
    POINT centre{150, 100};
    ClientToScreen(control, &centre);
    SetCursorPos(centre.x, centre.y);
    PostMessageA(viewer, WM_MOUSEMOVE, 0, MAKELPARAM(150, 100));
    testing::pumpFor(400);
    const auto shown = shownIn(control, 300, 200);
    const auto cover = testing::streamOf(picture.encrypted.get());
    EXPECT_EQ(pixelAt(shown, 300, 150, 100), picture.plainAt(150, 100));
    EXPECT_EQ(pixelAt(shown, 300, 160, 105), picture.plainAt(160, 105));
    EXPECT_EQ(pixelAt(shown, 300, 150, 130), pixelAt(cover, 300, 150, 130)) << "outside the disc";
    EXPECT_EQ(pixelAt(shown, 300, 10, 10), pixelAt(cover, 300, 10, 10));

    // Keypad - twice: radius 10, so 15 pixels off the centre is covered;
    // then + three times: radius 25 reaches 22 pixels off.
    auto keypad = [&](WORD key, int times) {
        SetForegroundWindow(viewer);
        testing::pumpFor(100);
        for (int i = 0; i < times; ++i) {
            testing::pressKey(key, false);
            testing::pressKey(key, true);
            testing::pumpFor(100);
        }
        testing::pumpFor(300);
        return shownIn(control, 300, 200);
    };
    const auto smaller = keypad(VK_SUBTRACT, 2);
    EXPECT_EQ(pixelAt(smaller, 300, 165, 100), pixelAt(cover, 300, 165, 100));
    EXPECT_EQ(pixelAt(smaller, 300, 155, 100), picture.plainAt(155, 100));
    const auto larger = keypad(VK_ADD, 3);
    EXPECT_EQ(pixelAt(larger, 300, 172, 100), picture.plainAt(172, 100));
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(stub.waitForExit(), kPeekstubExitCode);
}

TEST_F(PeekstubRun, WrongPasswordShowsNoiseOfTheSameSize)
{
    const Picture picture = pictureOf(1000, 300);
    ProgramProcess stub(build(picture, 20, false));
    ASSERT_TRUE(openViewer(stub, "not the password"));
    const RECT client = clientOf(viewer);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 300 + GetSystemMetrics(SM_CYHSCROLL)) << "every row shows above the bar";
    EXPECT_EQ(clientOf(GetDlgItem(viewer, IDC_VIEWER_PICTURE)).bottom, 300);
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(viewer, IDC_VIEWER_HSCROLL)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(viewer, IDC_VIEWER_VSCROLL)));
    SCROLLINFO bar{};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_RANGE | SIF_PAGE;
    GetScrollInfo(GetDlgItem(viewer, IDC_VIEWER_HSCROLL), SB_CTL, &bar);
    EXPECT_EQ(bar.nMax, 999);
    EXPECT_EQ(bar.nPage, 600u);

    const RECT area = clientOf(GetDlgItem(viewer, IDC_VIEWER_PICTURE));
    const auto shown = shownIn(GetDlgItem(viewer, IDC_VIEWER_PICTURE), area.right, area.bottom);
    size_t same = 0;
    for (int y = 0; y < area.bottom; y += 7) {
        for (int x = 0; x < area.right; x += 7) {
            same += pixelAt(shown, static_cast<uint32_t>(area.right), x, y) == picture.plainAt(x, y);
        }
    }
    EXPECT_LT(same, 10u) << "a wrong key gives noise";
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(stub.waitForExit(), kPeekstubExitCode);
}

// Puts `bytes` in place of a resource of a built file, as anyone could.
void tamper(const std::string& path, WORD type, WORD id, std::string bytes)
{
    const std::wstring widePath(path.begin(), path.end());
    HANDLE update = BeginUpdateResourceW(widePath.c_str(), FALSE);
    ASSERT_TRUE(update);
    UpdateResourceW(update, MAKEINTRESOURCEW(type), MAKEINTRESOURCEW(id), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                    &bytes[0], static_cast<DWORD>(bytes.size()));
    ASSERT_TRUE(EndUpdateResourceW(update, FALSE));
}

TEST_F(PeekstubRun, DamagedPictureIsToldInBothLanguagesAndEndsWith39)
{
    const Picture picture = pictureOf(20, 20);
    const std::string path = build(picture, 20, true);
    tamper(path, 2, IDB_ENCRYPTED_IMAGE, std::string("not a picture at all, but forty-four bytes.", 44));
    expectNoPictureMessage(path);
}

TEST_F(PeekstubRun, StringBlocksShorterThanTheirCountsGiveEmptyTextsAndEndWith39)
{
    const Picture picture = pictureOf(20, 20);
    const std::string path = build(picture, 20, true);
    // A first count of 0xFFFF in a 12-byte block; then the first 9 bytes of
    // a real block.
    const std::string real = stringBlock({u"Password:", u"OK", u"Cancel", u"Please wait...", u"20"});
    for (const std::string& block : {std::string("\xFF\xFF", 2) + std::string(10, 'x'), real.substr(0, 9)}) {
        tamper(path, 6, IDS_PROMPT_BLOCK, block);
        ProgramProcess stub(path);
        HWND prompt = stub.waitForWindow(kTitle);
        ASSERT_TRUE(prompt);
        EXPECT_EQ(testing::dialogItemText(prompt, IDC_STUB_PROMPT), "");
        testing::pressButton(prompt, IDC_STUB_CANCEL);
        EXPECT_EQ(stub.waitForExit(), kPeekstubExitCode);
    }
}

// A message box of the process, once it shows.
HWND waitForMessageBox(const ProgramProcess& stub)
{
    struct Search {
        DWORD processId;
        HWND found;
    } search{stub.id(), nullptr};
    for (int waited = 0; waited < ProgramProcess::kTimeoutMs && !search.found; waited += 50) {
        EnumWindows(
            [](HWND window, LPARAM parameter) {
                auto* wanted = reinterpret_cast<Search*>(parameter);
                DWORD processId = 0;
                GetWindowThreadProcessId(window, &processId);
                if (processId == wanted->processId && IsWindowVisible(window) && GetDlgItem(window, 0xFFFF)) {
                    wanted->found = window;
                }
                return wanted->found ? FALSE : TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(50);
    }
    return search.found;
}

TEST_F(PeekstubRun, GuardedFileRefusesAWrongPasswordAsksAgainAndThenShowsThePicture)
{
    const auto stream = testing::randomStream(300, 200, 11);
    ProgramProcess stub(buildGuarded(stream, 300, 200));
    HWND prompt = stub.waitForWindow(kTitle);
    ASSERT_TRUE(prompt);
    typeAndConfirm(prompt, "open sesame 43");
    HWND box = waitForMessageBox(stub);
    ASSERT_TRUE(box);
    EXPECT_EQ(testing::dialogItemText(box, 0xFFFF), kWrongPassword);
    testing::pressButton(box, IDOK);
    EXPECT_TRUE(testing::pumpUntil([&] { return IsWindowVisible(GetDlgItem(prompt, IDC_STUB_PASSWORD)) != FALSE; }));
    EXPECT_EQ(testing::dialogItemText(prompt, IDC_STUB_PASSWORD), "");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(prompt, IDC_STUB_OK)));

    ASSERT_TRUE(openViewer(stub, kPassword));
    EXPECT_TRUE(shownIn(GetDlgItem(viewer, IDC_VIEWER_PICTURE), 300, 200) == stream);
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(stub.waitForExit(), kPeekstubExitCode);
}

// A password as the field holds it, in any script, then Enter.
void pasteAndConfirm(HWND prompt, const std::wstring& password)
{
    SetDlgItemTextW(prompt, IDC_STUB_PASSWORD, password.c_str());
    SetForegroundWindow(prompt);
    testing::pumpUntil([&] { return IsWindowEnabled(GetDlgItem(prompt, IDC_STUB_OK)) != FALSE; });
    PostMessageA(prompt, WM_COMMAND, MAKEWPARAM(IDC_STUB_OK, BN_CLICKED), 0);
}

TEST_F(PeekstubRun, APasswordInAnyScriptOpensAGuardedFileAndNoneTheCodePageLacksAnEncipheredOne)
{
    // "пароль-москва", and "секрет-лондон", which once read as the same "?"s.
    const std::wstring typed = L"\x43f\x430\x440\x43e\x43b\x44c-\x43c\x43e\x441\x43a\x432\x430";
    const std::wstring other = L"\x441\x435\x43a\x440\x435\x442-\x43b\x43e\x43d\x434\x43e\x43d";
    const std::string utf8 = "\xD0\xBF\xD0\xB0\xD1\x80\xD0\xBE\xD0\xBB\xD1\x8C-"
                             "\xD0\xBC\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0";
    const auto stream = testing::randomStream(120, 80, 5);
    {
        ProgramProcess stub(buildGuarded(stream, 120, 80, utf8));
        HWND prompt = stub.waitForWindow(kTitle);
        ASSERT_TRUE(prompt);
        pasteAndConfirm(prompt, other);
        HWND box = waitForMessageBox(stub);
        ASSERT_TRUE(box);
        EXPECT_EQ(testing::dialogItemText(box, 0xFFFF), kWrongPassword);
        testing::pressButton(box, IDOK);
        EXPECT_TRUE(
            testing::pumpUntil([&] { return IsWindowVisible(GetDlgItem(prompt, IDC_STUB_PASSWORD)) != FALSE; }));
        pasteAndConfirm(prompt, typed);
        testing::pumpUntil([&] { return !IsWindowVisible(prompt); }, ProgramProcess::kTimeoutMs);
        viewer = stub.waitForWindow(kTitle);
        ASSERT_TRUE(viewer);
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        testing::pumpFor(300);
        EXPECT_TRUE(shownIn(GetDlgItem(viewer, IDC_VIEWER_PICTURE), 120, 80) == stream);
        PostMessageA(viewer, WM_CLOSE, 0, 0);
        EXPECT_EQ(stub.waitForExit(), kPeekstubExitCode);
    }
    // An enciphered picture is keyed with code-page bytes: a picture made
    // under the "?"s such a password once became does not open with it.
    const Picture picture = pictureOf(40, 30);
    Picture questionMarks{40, 30, picture.plain, {}};
    questionMarks.encrypted = testing::encryptedPictureOf(picture.plain, 40, 30, "\?\?\?\?\?\?-\?\?\?\?\?\?");
    ProgramProcess stub(build(questionMarks, 20, false));
    HWND prompt = stub.waitForWindow(kTitle);
    ASSERT_TRUE(prompt);
    pasteAndConfirm(prompt, typed);
    testing::pumpUntil([&] { return !IsWindowVisible(prompt); }, ProgramProcess::kTimeoutMs);
    viewer = stub.waitForWindow(kTitle);
    ASSERT_TRUE(viewer);
    testing::pumpFor(300);
    EXPECT_FALSE(shownIn(GetDlgItem(viewer, IDC_VIEWER_PICTURE), 40, 30) == picture.plain) << "noise, not the picture";
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(stub.waitForExit(), kPeekstubExitCode);
}

// The viewer is made hidden while the password is typed; another program
// closing it then must not leave OK waiting for ever.
TEST_F(PeekstubRun, AHiddenViewerClosedFromOutsideStaysAndShowsThePictureAfterOk)
{
    const Picture picture = pictureOf(60, 40);
    ProgramProcess stub(build(picture, 20, false));
    HWND prompt = stub.waitForWindow(kTitle);
    ASSERT_TRUE(prompt);
    struct Search {
        DWORD processId;
        HWND prompt;
        HWND hidden;
    } search{stub.id(), prompt, nullptr};
    const auto findHidden = [](HWND window, LPARAM lParam) {
        auto* wanted = reinterpret_cast<Search*>(lParam);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != wanted->processId || window == wanted->prompt || IsWindowVisible(window)) return TRUE;
        if (testing::windowText(window) != kTitle) return TRUE;
        wanted->hidden = window;
        return FALSE;
    };
    ASSERT_TRUE(testing::pumpUntil([&] {
        EnumWindows(findHidden, reinterpret_cast<LPARAM>(&search));
        return search.hidden != nullptr;
    }));
    PostMessageA(search.hidden, WM_CLOSE, 0, 0);
    PostMessageA(search.hidden, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    testing::pumpFor(300);
    EXPECT_TRUE(IsWindow(search.hidden));

    ASSERT_EQ(openViewer(stub, kPassword), search.hidden);
    EXPECT_TRUE(shownIn(GetDlgItem(viewer, IDC_VIEWER_PICTURE), 60, 40) == picture.plain);
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    EXPECT_EQ(stub.waitForExit(), kPeekstubExitCode);
}

TEST_F(PeekstubRun, ClosingThePromptWhileTheKeyIsDerivedEndsWith39)
{
    ProgramProcess stub(buildGuarded(testing::randomStream(300, 200, 12), 300, 200));
    HWND prompt = stub.waitForWindow(kTitle);
    ASSERT_TRUE(prompt);
    SendDlgItemMessageA(prompt, IDC_STUB_PASSWORD, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kPassword));
    PostMessageA(prompt, WM_COMMAND, MAKEWPARAM(IDC_STUB_OK, BN_CLICKED), 0);
    ASSERT_TRUE(testing::pumpUntil([&] { return IsWindowVisible(GetDlgItem(prompt, IDC_STUB_WAIT)) != FALSE; }));
    PostMessageA(prompt, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(stub.waitForExit(), kPeekstubExitCode);
}

TEST_F(PeekstubRun, GuardedHeaderOfAnotherSizeIsADamagedPicture)
{
    const std::string path = buildGuarded(testing::randomStream(20, 20, 3), 20, 20);
    GuardedPicture other;
    ASSERT_EQ(guardPicture(testing::flatPicture(21, 20, RGB(1, 2, 3)).get(), kPassword, other), GuardResult::Done);
    tamper(path, 10, IDR_GUARDED_HEADER, other.header);
    expectNoPictureMessage(path);
}

TEST_F(PeekstubRun, CancelAndTheCloseBoxOfThePromptEndWith39)
{
    const Picture picture = pictureOf(20, 20);
    const std::string path = build(picture, 20, true);
    {
        ProgramProcess stub(path);
        HWND prompt = stub.waitForWindow(kTitle);
        ASSERT_TRUE(prompt);
        testing::pressButton(prompt, IDC_STUB_CANCEL);
        EXPECT_EQ(stub.waitForExit(), kPeekstubExitCode);
    }
    {
        ProgramProcess stub(path);
        HWND prompt = stub.waitForWindow(kTitle);
        ASSERT_TRUE(prompt);
        PostMessageA(prompt, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(stub.waitForExit(), kPeekstubExitCode);
    }
}

}  // namespace
}  // namespace tessaly
