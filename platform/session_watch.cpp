#include "platform/session_watch.h"

#include "platform/library_search.h"

namespace tessaly {

namespace {

constexpr DWORD kThisSession = 0;  // NOTIFY_FOR_THIS_SESSION

}  // namespace

void watchSessionLock(HWND window)
{
    using Register = BOOL(WINAPI*)(HWND window, DWORD flags);
    static const auto watch = systemLibraryCall<Register>(L"wtsapi32.dll", "WTSRegisterSessionNotification");
    if (watch) watch(window, kThisSession);
}

void stopWatchingSessionLock(HWND window)
{
    using Unregister = BOOL(WINAPI*)(HWND window);
    static const auto stop = systemLibraryCall<Unregister>(L"wtsapi32.dll", "WTSUnRegisterSessionNotification");
    if (stop) stop(window);
}

}  // namespace tessaly
