#pragma once

// Helpers shared by the Windows tests: screen reads, message pumping, child processes.

#include "framework/FrameDib.h"
#include "framework/MemoryDc.h"

#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace wintest {

// Pixels of a screen rectangle as 0x00RRGGBB, read back from the screen's drawing context.
inline std::vector<uint32_t> CaptureScreen(int left, int top, int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    HDC screen = GetDC(nullptr);
    MemoryDc memory;
    memory.Create(screen);
    uint32_t* source = nullptr;
    memory.Select(CreateFrameDib(memory.Dc(), width, height, &source));
    BitBlt(memory.Dc(), 0, 0, width, height, screen, left, top, SRCCOPY);
    GdiFlush();
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = source[i] & 0xFFFFFF;
    ReleaseDC(nullptr, screen);
    return pixels;
}

inline size_t CountNonBlack(const std::vector<uint32_t>& pixels) {
    size_t n = 0;
    for (uint32_t p : pixels)
        n += p != 0;
    return n;
}

inline size_t CountDifferent(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    size_t n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        n += a[i] != b[i];
    return n;
}

inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Waits up to `ms` while serving this thread's windows; true when the handle was signalled.
inline bool WaitPumping(HANDLE handle, DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        DWORD spent = GetTickCount() - start;
        if (spent >= ms)
            return handle && WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
        DWORD result = MsgWaitForMultipleObjects(handle ? 1 : 0, handle ? &handle : nullptr, FALSE,
                                                 ms - spent, QS_ALLINPUT);
        if (handle && result == WAIT_OBJECT_0)
            return true;
        PumpMessages();
    }
}

inline void SleepPumping(DWORD ms) {
    WaitPumping(nullptr, ms);
}

// Polls `condition` every 20 ms for up to `ms`, serving this thread's windows meanwhile.
template <typename Condition> bool WaitFor(Condition condition, DWORD ms) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= ms)
            return false;
        SleepPumping(20);
    }
    return true;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The Windows name of a path of this machine: Wine shows the root of the file system as Z:.
inline std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

inline std::string TempPath(const std::string& name) {
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    return std::string(directory) + name;
}

// A program started by the test, with its trace lines going to a file of its own. Killed when
// the test leaves it running.
class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() { Kill(); }

    bool Launch(const std::string& program, const std::string& arguments, const std::string& tag) {
        m_tracePath = TempPath("lumenkite-trace-" + tag + "-" +
                               std::to_string(GetCurrentProcessId()) + ".txt");
        DeleteFileA(m_tracePath.c_str());
        SetEnvironmentVariableA("LUMENKITE_TRACE", m_tracePath.c_str());
        std::string commandLine = "\"" + program + "\"";
        if (!arguments.empty())
            commandLine += " " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        BOOL ok = CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                 nullptr, nullptr, &startup, &m_info);
        SetEnvironmentVariableA("LUMENKITE_TRACE", nullptr);
        if (ok)
            CloseHandle(m_info.hThread);
        return ok;
    }

    bool WaitExit(DWORD ms) { return m_info.hProcess && WaitPumping(m_info.hProcess, ms); }
    bool IsRunning() const {
        return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
    }
    std::string Trace() const { return ReadFile(m_tracePath); }
    DWORD Id() const { return m_info.dwProcessId; }

    void Kill() {
        if (!m_info.hProcess)
            return;
        if (IsRunning()) {
            TerminateProcess(m_info.hProcess, 1);
            WaitForSingleObject(m_info.hProcess, 5000);
        }
        CloseHandle(m_info.hProcess);
        m_info.hProcess = nullptr;
    }

private:
    PROCESS_INFORMATION m_info = {};
    std::string m_tracePath;
};

struct WindowSearch {
    const char* title;
    DWORD pid;
    std::vector<HWND> found;
};

// A named callback: the system calls it with its own calling convention, which on 32-bit x86 a
// lambda cannot take.
inline BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    char text[256] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (std::string(text) == search->title && (search->pid == 0 || search->pid == owner))
        search->found.push_back(hwnd);
    return TRUE;
}

// Top-level windows of one process with the given title (any process when pid is 0).
inline std::vector<HWND> FindTopLevelWindows(const char* title, DWORD pid = 0) {
    WindowSearch search = {title, pid, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The full-screen saver's window title, which tells it from the saver's other windows.
constexpr const char* SaverTitle = "LumenkiteScreenSaverWindow";

// Starts the saver `scr` full screen and waits for its window; null when none appears.
inline HWND StartSaver(ChildProcess& saver, const std::string& scr, const char* tag) {
    if (!saver.Launch(scr, "/s", tag))
        return nullptr;
    HWND hwnd = nullptr;
    // The window is findable while it is still being created, before it is shown; start-up
    // traces once it is made and drawing.
    WaitFor(
        [&] {
            auto found = FindTopLevelWindows(SaverTitle, saver.Id());
            hwnd = found.empty() ? nullptr : found[0];
            return hwnd && saver.Trace().find("App: Created main window") != std::string::npos;
        },
        15000);
    return hwnd;
}

inline BOOL CALLBACK CollectChildText(HWND hwnd, LPARAM param) {
    char text[256] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    reinterpret_cast<std::vector<std::string>*>(param)->push_back(text);
    return TRUE;
}

// The texts of a window's children (a message box's text is one of them).
inline std::vector<std::string> ChildTexts(HWND parent) {
    std::vector<std::string> texts;
    EnumChildWindows(parent, CollectChildText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

// Ends every process of this prefix started from an executable with the given name.
inline void KillProcessesNamed(const char* exeName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, exeName) != 0)
            continue;
        if (HANDLE process =
                OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        }
    }
    CloseHandle(snapshot);
}

} // namespace wintest
