#include "controls/masked_password_field.h"

#include <string>
#include <vector>

#include "tests/support/main_window_fixture.h"

namespace tessaly {
namespace {

using testing::dialogItemText;
using testing::pumpFor;
using testing::pumpUntil;
using testing::typeText;

// What a keystroke recorder sees: every key press that reaches the system's
// input, with the extra information it carries.
struct RecordedKey {
    DWORD key;
    ULONG_PTR extraInfo;
    bool decoy() const { return extraInfo == kDecoyMarker; }
};

std::vector<RecordedKey>& recordedKeys()
{
    static std::vector<RecordedKey> keys;
    return keys;
}

LRESULT CALLBACK recordKey(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN)) {
        const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        recordedKeys().push_back({key->vkCode, key->dwExtraInfo});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class KeystrokeRecorder {
public:
    KeystrokeRecorder() : hook_(SetWindowsHookExA(WH_KEYBOARD_LL, recordKey, GetModuleHandleA(nullptr), 0))
    {
        recordedKeys().clear();
    }
    ~KeystrokeRecorder() { UnhookWindowsHookEx(hook_); }
    bool active() const { return hook_ != nullptr; }

private:
    HHOOK hook_;
};

size_t decoyCount()
{
    size_t count = 0;
    for (const auto& key : recordedKeys()) count += key.decoy();
    return count;
}

class MaskedPasswordFieldTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(openMainWindow());
        focus(IDC_ADD_PASS);
    }

    void focus(int id)
    {
        SetForegroundWindow(window);
        SetFocus(GetDlgItem(window, id));
        pumpFor(50);
    }

    std::string text(int id) const { return dialogItemText(window, id); }

    // Waits until the field shows `expected` and no more decoys come back.
    bool settlesOn(int id, const std::string& expected)
    {
        if (!pumpUntil([&] { return text(id) == expected; })) return false;
        // Decoys that reached the field would bring more decoys without end.
        for (int round = 0; round < 30; ++round) {
            const size_t seen = decoyCount();
            pumpFor(100);
            if (decoyCount() == seen) return text(id) == expected;
        }
        return false;
    }
};

TEST_F(MaskedPasswordFieldTest, EveryTypedKeyIsFollowedByOneToFiveLetterDecoysAndTheTextStaysExact)
{
    KeystrokeRecorder recorder;
    ASSERT_TRUE(recorder.active());
    const std::string typed = "k3y-Pa55 w0rd";
    for (char c : typed) {
        typeText(std::string(1, c));
        const std::string expected = typed.substr(0, text(IDC_ADD_PASS).size() + 1);
        ASSERT_TRUE(pumpUntil([&] { return text(IDC_ADD_PASS).size() == expected.size(); })) << c;
        pumpFor(30);
    }
    EXPECT_TRUE(settlesOn(IDC_ADD_PASS, typed)) << text(IDC_ADD_PASS);

    // A recorder sees each typed key (Shift aside) followed by its decoys.
    std::vector<size_t> decoysAfterKey;
    for (const auto& key : recordedKeys()) {
        if (key.decoy()) {
            ASSERT_FALSE(decoysAfterKey.empty()) << "a decoy before any typed key";
            ++decoysAfterKey.back();
            EXPECT_GE(key.key, static_cast<DWORD>('A'));
            EXPECT_LE(key.key, static_cast<DWORD>('Y'));
        } else if (key.key != VK_SHIFT && key.key != VK_LSHIFT && key.key != VK_RSHIFT) {
            decoysAfterKey.push_back(0);
        }
    }
    ASSERT_EQ(decoysAfterKey.size(), typed.size());
    for (size_t i = 0; i < decoysAfterKey.size(); ++i) {
        EXPECT_GE(decoysAfterKey[i], 1u) << i;
        EXPECT_LE(decoysAfterKey[i], 5u) << i;
    }
}

// One UTF-16 unit as a keyboard of any language sends it.
void typeUnit(wchar_t unit)
{
    INPUT inputs[2] = {};
    for (int i = 0; i < 2; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wScan = unit;
        inputs[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
    }
    SendInput(2, inputs, sizeof(INPUT));
}

TEST_F(MaskedPasswordFieldTest, ACharacterOfAnyScriptIsOneKeystrokeWithItsDecoys)
{
    KeystrokeRecorder recorder;
    ASSERT_TRUE(recorder.active());
    // "ж", then a key emoji as its two halves, each taken in on its own.
    for (wchar_t unit : {L'\x436', L'\xD83D', L'\xDD11'}) {
        typeUnit(unit);
        pumpFor(300);
    }
    EXPECT_TRUE(settlesOn(IDC_ADD_PASS, "\xD0\xB6\xF0\x9F\x94\x91")) << text(IDC_ADD_PASS);
    std::vector<size_t> decoysAfterKey;
    for (const auto& key : recordedKeys()) {
        if (key.decoy()) {
            if (!decoysAfterKey.empty()) ++decoysAfterKey.back();
        } else {
            decoysAfterKey.push_back(0);
        }
    }
    ASSERT_EQ(decoysAfterKey.size(), 3u);
    EXPECT_GE(decoysAfterKey[0], 1u);
    EXPECT_EQ(decoysAfterKey[1], 0u) << "the first half of a character is no keystroke of its own";
    EXPECT_GE(decoysAfterKey[2], 1u);
    EXPECT_LE(decoysAfterKey[2], 5u);
}

TEST_F(MaskedPasswordFieldTest, HoldsAtMost35Characters)
{
    const std::string typed35 = "abcdefghijklmnopqrstuvwxyz012345678";
    typeText(typed35);
    EXPECT_TRUE(settlesOn(IDC_ADD_PASS, typed35)) << text(IDC_ADD_PASS);
    typeText("9");
    EXPECT_TRUE(settlesOn(IDC_ADD_PASS, typed35)) << text(IDC_ADD_PASS);
    EXPECT_EQ(SendDlgItemMessageA(window, IDC_ADD_PASS, EM_GETLIMITTEXT, 0, 0), 35);
}

TEST_F(MaskedPasswordFieldTest, BurstOfKeysInOneInjectionIsKeptInOrder)
{
    KeystrokeRecorder recorder;
    const std::string typed = "Burst OF keys 0123456789 typed";
    std::vector<INPUT> inputs = testing::keyStrokes(typed);
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
    EXPECT_TRUE(settlesOn(IDC_ADD_PASS, typed)) << text(IDC_ADD_PASS);
    EXPECT_GE(decoyCount(), typed.size());
    EXPECT_LE(decoyCount(), 5 * typed.size());
}

TEST_F(MaskedPasswordFieldTest, DecoysWhileCtrlIsHeldNeverActAsShortcuts)
{
    // A decoy "V" seen with Ctrl down would paste, an "A" would select all.
    ASSERT_TRUE(OpenClipboard(window));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 7);
    lstrcpyA(static_cast<char*>(GlobalLock(memory)), "PASTED");
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();

    typeText("ab");
    ASSERT_TRUE(settlesOn(IDC_ADD_PASS, "ab"));
    testing::pressKey(VK_CONTROL, false);
    // Ctrl+Q and Ctrl+W give control characters, which the field ignores but
    // still answers with decoys.
    typeText("qwqw");
    pumpFor(300);
    testing::pressKey(VK_CONTROL, true);
    typeText("cD");
    EXPECT_TRUE(settlesOn(IDC_ADD_PASS, "abcD")) << text(IDC_ADD_PASS);
    EXPECT_GE(GetKeyState(VK_CONTROL), 0) << "Ctrl left down";
}

TEST_F(MaskedPasswordFieldTest, DecoysInFlightWhenTheFocusMovesReachNoOtherControl)
{
    KeystrokeRecorder recorder;
    HWND field = GetDlgItem(window, IDC_ADD_PASS);
    // The character is handled at once; its decoys are still in the input
    // queue when the focus moves to the user field.
    SendMessageA(field, WM_CHAR, 'k', 1);
    SendMessageA(field, WM_CHAR, 'm', 1);
    SetFocus(GetDlgItem(window, IDC_ADD_USER));
    pumpUntil([] { return decoyCount() >= 2; });
    pumpFor(300);
    EXPECT_GE(decoyCount(), 2u);
    EXPECT_EQ(text(IDC_ADD_USER), "");
    EXPECT_EQ(text(IDC_ADD_PASS), "km");

    // Real typing still reaches the user field.
    typeText("u");
    EXPECT_TRUE(pumpUntil([&] { return text(IDC_ADD_USER) == "u"; })) << text(IDC_ADD_USER);
}

std::string fontFace(HWND control)
{
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfFaceName;
}

TEST_F(MaskedPasswordFieldTest, MaskUsesTheSymbolFontAndPlainTextTheSansSerifFont)
{
    HWND field = GetDlgItem(window, IDC_ADD_PASS);
    EXPECT_EQ(fontFace(field), "Symbol");
    SendMessageA(field, EM_SETPASSWORDCHAR, 0, 0);
    EXPECT_EQ(fontFace(field), "MS Sans Serif");
    EXPECT_EQ(SendMessageA(field, EM_GETPASSWORDCHAR, 0, 0), 0);
    SendMessageA(field, EM_SETPASSWORDCHAR, MaskedPasswordField::kMaskCharacter, 0);
    EXPECT_EQ(fontFace(field), "Symbol");
    EXPECT_EQ(SendMessageA(field, EM_GETPASSWORDCHAR, 0, 0), 183);
}

}  // namespace
}  // namespace tessaly
