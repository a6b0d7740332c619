// Every dialog of both programs in each shipped language: each caption of a
// static, button, check box or group fits its control in the dialog's own
// font, no two captions of one dialog share a keyboard mnemonic, and each
// label comes just before its field with a mnemonic of its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/win32_handles.h"
#include "platform/text_codec.h"
#include "platform/window_text.h"
#include "settings/access_keys.h"
#include "resources/corvale_ids.h"
#include "resources/peekstub_ids.h"
#include "settings/apply_texts.h"
#include "settings/language.h"
#include "shell/about_texts.h"

namespace tessaly {
namespace {

INT_PTR CALLBACK staticDialogProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

std::string textOf(HWND window)
{
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string kindOf(HWND window)
{
    char kind[64] = {};
    GetClassNameA(window, kind, sizeof kind);
    return kind;
}

// The room a caption leaves for its text, or -1 for a control whose caption
// is no text (pictures, owner-drawn items, edits, lists).
int roomFor(HWND control, bool& wraps)
{
    char kind[64] = {};
    GetClassNameA(control, kind, sizeof kind);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    RECT client{};
    GetClientRect(control, &client);
    wraps = false;
    if (lstrcmpiA(kind, "Static") == 0) {
        const DWORD type = style & SS_TYPEMASK;
        if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_LEFTNOWORDWRAP &&
            type != SS_SIMPLE) {
            return -1;
        }
        wraps = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT;
        return client.right;
    }
    if (lstrcmpiA(kind, "Button") != 0) return -1;
    switch (style & BS_TYPEMASK) {
    case BS_GROUPBOX:
        return client.right - 16;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return client.right - GetSystemMetrics(SM_CXMENUCHECK) - 4;
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return client.right - 6;
    default:
        return -1;
    }
}

// What does not fit, and which mnemonics stand twice, among the window's
// children.
std::vector<std::string> problemsOf(HWND window)
{
    std::vector<std::string> problems;
    std::map<char32_t, std::string> mnemonics;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::string text = textOf(child);
        bool wraps = false;
        const int room = roomFor(child, wraps);
        if (text.empty() || room < 0) continue;
        WindowDc dc(child);
        SelectGuard font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0)));
        RECT client{};
        GetClientRect(child, &client);
        RECT needed{0, 0, room, 0};
        drawText(dc.get(), text, needed, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
        const bool fits = needed.right <= room && (!wraps || needed.bottom <= client.bottom);
        if (!fits) {
            problems.push_back("\"" + text + "\" needs " + std::to_string(needed.right) + " x " +
                               std::to_string(needed.bottom) + ", has " + std::to_string(room) + " x " +
                               std::to_string(client.bottom));
        }
        // A label names the field just after it, and moves to it with its key.
        const bool label = !text.empty() && text.back() == ':' && lstrcmpiA(kindOf(child).c_str(), "Static") == 0;
        HWND next = GetWindow(child, GW_HWNDNEXT);
        if (label && next && textOf(next).size() > 0 && textOf(next).back() == ':') {
            problems.push_back("\"" + text + "\" comes before another label, not its field");
        }
        if (label && next && (GetWindowLongPtrA(next, GWL_STYLE) & WS_TABSTOP) &&
            lstrcmpiA(kindOf(next).c_str(), "Button") != 0 && text.find('&') == std::string::npos) {
            problems.push_back("\"" + text + "\" has no access key");
        }
        if (const char32_t key = accessKeyOf(text)) {
            const auto [at, added] = mnemonics.emplace(key, text);
            if (!added) problems.push_back("one key for \"" + at->second + "\" and \"" + text + "\"");
        }
    }
    return problems;
}

std::vector<std::string> languageFiles()
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(TESSALY_SOURCE_DIR "/resources/lang")) {
        if (entry.path().extension() == ".lang") files.push_back(entry.path().string());
    }
    return files;
}

TEST(CaptionFit, EveryDialogReadsWholeInEveryLanguage)
{
    const std::vector<std::string> files = languageFiles();
    ASSERT_GE(files.size(), 2u);
    HMODULE stub = LoadLibraryExA(TESSALY_PEEKSTUB_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(stub);
    // The pages are child windows: they want a parent.
    HWND host = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr, nullptr, nullptr,
                                nullptr);
    ASSERT_TRUE(host);
    for (const std::string& file : files) {
        ASSERT_TRUE(loadLanguage(languageTable(), file, systemTextCodec())) << file;
        for (int templateId : {IDD_MAIN, IDD_LIST_PAGE, IDD_IMAGE_PAGE, IDD_ENCRYPTED_PAGE, IDD_OPTIONS, IDD_ENCRYPT,
                               IDD_PROGRESS, IDD_GENERATE, IDD_ABOUT, IDD_DECRYPT, IDD_FIND, IDD_CSV_PREVIEW,
                               IDD_PROTECT_LIST, IDD_OPEN_PROTECTED_LIST}) {
            HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), host,
                                             staticDialogProc, 0);
            ASSERT_TRUE(dialog) << templateId;
            applyTexts(dialog, templateId);
            if (templateId == IDD_ABOUT) {
                const AboutTexts about = aboutTexts(translate("lang_code"));
                SetDlgItemTextA(dialog, IDC_ABOUT_DESCRIPTION, about.description.c_str());
                SetDlgItemTextA(dialog, IDC_ABOUT_INVITATION, about.invitation.c_str());
            }
            for (const std::string& problem : problemsOf(dialog))
                ADD_FAILURE() << file << ", " << templateId << ": " << problem;
            DestroyWindow(dialog);
        }
        // The self-extracting file's prompt, with the texts Corvale writes into it.
        HWND prompt = CreateDialogParamA(stub, MAKEINTRESOURCEA(IDD_PASSWORD_WINDOW), nullptr, staticDialogProc, 0);
        ASSERT_TRUE(prompt);
        const std::pair<int, const char*> texts[] = {{IDC_STUB_PROMPT, "sfx_insert_password"},
                                                     {IDC_STUB_OK, "sfx_ok"},
                                                     {IDC_STUB_CANCEL, "sfx_cancel"},
                                                     {IDC_STUB_WAIT, "sfx_wait"}};
        for (const auto& [id, key] : texts) SetDlgItemTextA(prompt, id, translate(key).c_str());
        for (const std::string& problem : problemsOf(prompt)) ADD_FAILURE() << file << ", prompt: " << problem;
        DestroyWindow(prompt);
    }
    DestroyWindow(host);
    FreeLibrary(stub);
}

}  // namespace
}  // namespace tessaly
