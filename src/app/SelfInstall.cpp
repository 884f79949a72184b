#include "app/SelfInstall.h"

#include "framework/Dialog.h"
#include "resource.h"
#include "support/Trace.h"

#include <windows.h>

#include <cstring>

bool IsScreensaverFile(const std::string& path) {
    if (path.size() < 3)
        return false;
    return _stricmp(path.c_str() + path.size() - 3, "SCR") == 0;
}

std::string WithTrailingBackslash(const std::string& directory) {
    if (directory.empty() || directory.back() != '\\')
        return directory + "\\";
    return directory;
}

bool SelfInstallIfRequired() {
    char module[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        Trace(TraceInfo, "SelfInstall: GetModuleFileName failed!");
        return true;
    }
    Trace(TraceInfo, "SelfInstall: Module Filename = %s", module);
    if (IsScreensaverFile(module))
        return true;
    Trace(TraceInfo, "SelfInstall: File is not an SCR file, installing");

    char windows[MAX_PATH];
    length = GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        Trace(TraceInfo, "SelfInstall: GetWindowsDirectory() failed!");
        return true;
    }
    Trace(TraceInfo, "SelfInstall: Windows Directory = %s", windows);
    std::string directory = WithTrailingBackslash(windows);
    std::string target = directory + "Lumenkite.scr";

    Dialog dialog(IDD_INSTALL, nullptr);
    if (dialog.DoModal() != IDOK) {
        Trace(TraceInfo, "SelfInstall: Installation aborted by user, exiting");
        return false;
    }

    if (!CopyFileA(module, target.c_str(), FALSE)) {
        DWORD error = GetLastError();
        MessageBoxA(nullptr, "Installation Failed. No idea why. Sorry.", "Lumenkite",
                    MB_OK | MB_ICONERROR);
        Trace(TraceInfo, "SelfInstall: CopyFile failed! %s -> %s (code %d)", module, target.c_str(),
              static_cast<int>(error));
        return false;
    }
    Trace(TraceInfo, "SelfInstall: CopyFile suceeded %s -> %s", module, target.c_str());
    std::string saver = directory + "Lumenkite.SCR";
    Trace(TraceInfo, "SelfInstall: Installing SCR as %s", saver.c_str());
    WriteProfileStringA("Desktop", "SCRNSAVE.EXE", saver.c_str());
    Trace(TraceInfo, "SelfInstall: Launching screen saver cpl applet");
    WinExec("control.exe desk.cpl,,1", SW_SHOWNORMAL);
    return false;
}
