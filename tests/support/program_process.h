#pragma once

#include <windows.h>

#include <string>

#include "platform/win32_handles.h"
#include "tests/support/gui_test.h"

namespace tessaly::testing {

// A program started as its own process from this process's directory, not
// its own: the program must find its folder itself. Ended if still running
// when the object goes.
class ProgramProcess {
public:
    static constexpr int kTimeoutMs = 20000;

    explicit ProgramProcess(const std::string& program)
    {
        std::string commandLine = "\"" + program + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
            process_.reset(info.hProcess);
            KernelHandle thread(info.hThread);
            id_ = info.dwProcessId;
        }
    }
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;
    ~ProgramProcess()
    {
        if (running()) TerminateProcess(process_.get(), 1);
    }

    bool started() const { return static_cast<bool>(process_); }
    DWORD id() const { return id_; }
    bool running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

    // A visible window of the process with this title, once there is one.
    HWND waitForWindow(const std::string& title) const
    {
        HWND window = nullptr;
        for (int waited = 0; waited < kTimeoutMs && !window && running(); waited += 50) {
            window = findTopLevelWindow(title, id_);
            if (!window) Sleep(50);
        }
        return window;
    }

    // The exit code, or -1 if the process is still running after the wait.
    long waitForExit() const
    {
        if (WaitForSingleObject(process_.get(), kTimeoutMs) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.get(), &code);
        return static_cast<long>(code);
    }

private:
    KernelHandle process_;
    DWORD id_ = 0;
};

// How many times `needle` stands in the committed private memory of the
// process; -1 when the process cannot be read.
inline int copiesInMemory(DWORD processId, const std::string& needle)
{
    KernelHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return -1;
    int copies = 0;
    MEMORY_BASIC_INFORMATION region{};
    for (const char* at = nullptr; VirtualQueryEx(process.get(), at, &region, sizeof region) == sizeof region;
         at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
        const bool readable = region.State == MEM_COMMIT && region.Type == MEM_PRIVATE &&
                              !(region.Protect & (PAGE_NOACCESS | PAGE_GUARD));
        if (!readable) continue;
        std::string bytes(region.RegionSize, '\0');
        SIZE_T read = 0;
        if (!ReadProcessMemory(process.get(), region.BaseAddress, &bytes[0], bytes.size(), &read)) continue;
        bytes.resize(read);
        for (size_t found = bytes.find(needle); found != std::string::npos; found = bytes.find(needle, found + 1)) {
            ++copies;
        }
    }
    return copies;
}

}  // namespace tessaly::testing
